#pragma once

#include <QApplication>

#include <exception>
#include <functional>

// The application with its one error handler: an error escaping any handler is shown in the
// standard error box and the program goes on.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Runs a handler and reports any error it raises.
    static void runGuarded(const std::function<void()>& handler);
    static void report(const std::exception& error);
    // At the end of the desktop session, where the session lets the program ask, runs MayEnd while
    // Receiver lives; false cancels the end.
    static void askAtSessionEnd(QObject* receiver, std::function<bool()> mayEnd);
};
