#include "WindowModule.h"
#include "window/Application.h"
#include "window/Unit1.h"
#include "window/Unit2.h"
#include "window/Unit3.h"
#include "window/WindowPlacement.h"

extern "C" Q_DECL_EXPORT int parcelwrightOpenWindow(int& argc, char** argv, const QString& fileName) {
    Application application(argc, argv);

    TForm1 Form1;
    TForm2 Form2;
    TForm3 Form3;
    Form1.Form2 = &Form2;
    Form1.Form3 = &Form3;

    WindowPlacement::centreOnScreen(&Form1);
    Form1.show();
    if (!fileName.isEmpty())
        Form1.openFile(fileName);
    return Application::exec();
}
