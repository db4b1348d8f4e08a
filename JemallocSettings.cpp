// jemalloc reads its settings from this variable at start. Transparent huge pages on its memory: a
// large file's tree then costs a few thousand page faults instead of a hundred thousand.
extern "C" {
const char* malloc_conf = "thp:always";
}
