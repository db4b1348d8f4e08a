#include "WindowModule.h"
#include "cli/Cli.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <dlfcn.h>

namespace {

// The window module sits beside the program in the build folder and in the program's own library
// folder once installed.
QByteArray windowModulePath() {
    const QDir folder = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).dir();
    const QString beside = folder.filePath(QStringLiteral(PARCELWRIGHT_WINDOW_MODULE));
    if (QFileInfo::exists(beside))
        return QFile::encodeName(beside);
    return QFile::encodeName(
        folder.filePath(QStringLiteral(PARCELWRIGHT_INSTALLED_MODULE_FOLDER "/" PARCELWRIGHT_WINDOW_MODULE)));
}

int openWindow(int& argc, char** argv, const QString& fileName) {
    void* module = dlopen(windowModulePath().constData(), RTLD_NOW | RTLD_LOCAL);
    auto* open = module ? reinterpret_cast<WindowModule::Open*>(dlsym(module, WindowModule::entryPoint)) : nullptr;
    if (!open) {
        std::fprintf(stderr, "parcelwright: cannot open the window: %s\n", dlerror());
        return 1;
    }
    return open(argc, argv, fileName);
}

} // namespace

int main(int argc, char** argv) {
    return cli::run(argc, argv, [&argc, argv](const QString& fileName) { return openWindow(argc, argv, fileName); });
}
