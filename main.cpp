#include "cli/Cli.h"
#include "window/Application.h"
#include "window/Pictures.h"
#include "window/Unit1.h"
#include "window/Unit2.h"
#include "window/Unit3.h"

#include <QScreen>

int main(int argc, char** argv) {
    if (cli::isHeadless(argc, argv))
        return cli::run(argc, argv);
    Application application(argc, argv);
    Application::setWindowIcon(applicationIcon());

    TForm1 Form1;
    TForm2 Form2;
    TForm3 Form3;
    Form1.Form2 = &Form2;
    Form1.Form3 = &Form3;

    Form1.move(Form1.screen()->availableGeometry().center() - Form1.rect().center());
    Form1.show();
    return Application::exec();
}
