#include "window/application/Application.h"

#include "window/dialogs/MessageBoxes.h"
#include "window/pictures/Pictures.h"

#include <QSessionManager>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Parcelwright for Macromedia products"));
    setWindowIcon(applicationIcon());
    // Names the installed desktop entry, whose icon task switchers show for the window.
    setDesktopFileName(QStringLiteral(PARCELWRIGHT_APP_ID));
    // The window's pixel layout was drawn for classic Windows controls, which this style reproduces;
    // wider styles clip captions such as "Requires restart".
    setStyle(QStringLiteral("Windows"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void Application::runGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        report(error);
    }
}

void Application::report(const std::exception& error) {
    MessageBoxes::showError(QString::fromUtf8(error.what()));
}

void Application::askAtSessionEnd(QObject* receiver, std::function<bool()> mayEnd) {
    connect(qApp, &QGuiApplication::commitDataRequest, receiver, [mayEnd](QSessionManager& session) {
        if (session.allowsInteraction() && !mayEnd())
            session.cancel();
    });
}
