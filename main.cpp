#include "window/Application.h"
#include "window/Unit1.h"

#include <QScreen>

int main(int argc, char** argv) {
    Application application(argc, argv);

    TForm1 Form1;
    Form1.move(Form1.screen()->availableGeometry().center() - Form1.rect().center());
    Form1.show();
    return Application::exec();
}
