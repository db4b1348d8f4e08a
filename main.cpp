#include "CommandLine.h"
#include "cli/Cli.h"
#include "window/Application.h"
#include "window/Unit1.h"
#include "window/Unit2.h"
#include "window/Unit3.h"

#include <QScreen>

int main(int argc, char** argv) {
    if (cli::isHeadless(argc, argv))
        return cli::run(argc, argv);
    const CommandLine::Request request = CommandLine::parse(argc, argv);
    if (request.action != CommandLine::Request::Action::OpenWindow)
        return CommandLine::answer(request);

    Application application(argc, argv);

    TForm1 Form1;
    TForm2 Form2;
    TForm3 Form3;
    Form1.Form2 = &Form2;
    Form1.Form3 = &Form3;

    Form1.move(Form1.screen()->availableGeometry().center() - Form1.rect().center());
    Form1.show();
    if (!request.fileName.isEmpty())
        Form1.openFile(request.fileName);
    return Application::exec();
}
