#include "WindowModule.h"
#include "window/application/Application.h"
#include "window/forms/Unit1.h"
#include "window/forms/Unit2.h"
#include "window/forms/Unit3.h"
#include "window/application/WindowPlacement.h"

#include <QList>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> heldMessages;

QByteArray noDisplayLine() {
    const bool noneNamed = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    return QByteArray("parcelwright: ") +
           (noneNamed ? "no display found (DISPLAY is not set)" : "cannot connect to the display") +
           "; start one first, for example: Xvfb :99 & DISPLAY=:99 parcelwright\n";
}

// Without a display Qt's platform plugins complain over several lines and then abort. While the
// application connects, their messages wait; the one fatal message becomes a line that says what to do.
void holdWhileConnecting(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(noDisplayLine().constData(), stderr);
        std::_Exit(1);
    }
    heldMessages.append({type, context.category, text});
}

std::unique_ptr<Application> connectedApplication(int& argc, char** argv) {
    previousHandler = qInstallMessageHandler(holdWhileConnecting);
    auto application = std::make_unique<Application>(argc, argv);
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : std::exchange(heldMessages, {}))
        previousHandler(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                        message.text);
    return application;
}

} // namespace

extern "C" Q_DECL_EXPORT int parcelwrightOpenWindow(int& argc, char** argv, const QString& fileName) {
    const std::unique_ptr<Application> application = connectedApplication(argc, argv);

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
