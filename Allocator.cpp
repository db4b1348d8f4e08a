#include <mimalloc.h>

namespace {

// A large document's tree takes tens of thousands of pages, and the first touch of each is a page
// fault that costs more than building what it holds. mimalloc asks for 2 MB pages where the system
// gives them, which turns as many faults into a few dozen. It reads the option once, as it starts,
// before any constructor of the program runs; the functions of the pre-initialisation array run
// before those of every library.
void useLargePages(int, char**, char**) {
    mi_option_enable(mi_option_large_os_pages);
}

[[gnu::section(".preinit_array"), gnu::used]] void (*const setLargePages)(int, char**, char**) = useLargePages;

} // namespace
