#include "window/application/ToolWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

void ToolWindow::offerOnlyClose(QWidget* window) {
    // The offscreen platform answers for X11 too, without a connection of its own.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const WId id = window->internalWinId();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !x11 || !id)
        return;
    // Qt marks a tool window as a utility window, which some window managers (openbox among them) give
    // minimise and maximise buttons whatever its Motif hints ask; a toolbar window gets a close button
    // alone. Utility stays second, for window managers that know no toolbars.
    xcb_connection_t* connection = x11->connection();
    const std::array<xcb_atom_t, 2> types{atom(connection, "_NET_WM_WINDOW_TYPE_TOOLBAR"),
                                          atom(connection, "_NET_WM_WINDOW_TYPE_UTILITY")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(id), atom(connection, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, uint32_t(types.size()), types.data());
}

bool ToolWindow::hideOnEscape(QWidget* window, const QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier)
        return false;
    window->hide();
    return true;
}
