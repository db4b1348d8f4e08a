#pragma once

#include <QString>

// The window lives in a module of its own that the program loads only to open it, so that the modes
// without a window start without Qt Widgets, Qt Gui and the display libraries.
namespace WindowModule {

// The module's entry point: opens the window, with FileName loaded when it is not empty, and runs the
// event loop; returns the program's exit code.
using Open = int(int& argc, char** argv, const QString& fileName);
inline constexpr const char* entryPoint = "parcelwrightOpenWindow";

} // namespace WindowModule
