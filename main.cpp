#include "CommandLine.h"
#include "WindowModule.h"
#include "cli/Cli.h"

#include <cstdio>
#include <dlfcn.h>

namespace {

// The module is found through the program's run path: beside it in the build tree, in the library
// folder once installed.
int openWindow(int& argc, char** argv, const QString& fileName) {
    void* module = dlopen(WindowModule::fileName, RTLD_NOW | RTLD_LOCAL);
    auto* open = module ? reinterpret_cast<WindowModule::Open*>(dlsym(module, WindowModule::entryPoint)) : nullptr;
    if (!open) {
        std::fprintf(stderr, "parcelwright: cannot open the window: %s\n", dlerror());
        return 1;
    }
    return open(argc, argv, fileName);
}

} // namespace

int main(int argc, char** argv) {
    if (cli::isHeadless(argc, argv))
        return cli::run(argc, argv);
    const CommandLine::Request request = CommandLine::parse(argc, argv);
    if (request.action != CommandLine::Request::Action::OpenWindow)
        return CommandLine::answer(request);
    return openWindow(argc, argv, request.fileName);
}
