#include "cli/LargeHeap.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr qint64 hugePage = qint64(2) << 20;
// A parsed tree takes about ten times its text.
constexpr qint64 treeBytesPerTextByte = 11;
// Below this the small pages cost little; above it the reserve is only a head start.
constexpr qint64 smallestReserve = 4 * hugePage;
constexpr qint64 largestReserve = qint64(1) << 30;
// glibc's default for what the heap grows by beyond a request.
constexpr int defaultTopPad = 128 * 1024;
// More than is left of the heap at start-up, so that the heap grows to serve it.
constexpr int growthRequest = 1 << 20;

char* heapEnd() {
    return static_cast<char*>(sbrk(0));
}

} // namespace

void reserveHeapForText(qint64 textBytes) {
    const qint64 reserve = std::min(textBytes * treeBytesPerTextByte, largestReserve);
    if (reserve < smallestReserve)
        return;
    // The heap grows once by the whole reserve, from a request too large for what is left of it but
    // small enough to come from the heap, and keeps the room when the request is freed.
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    mallopt(M_MMAP_THRESHOLD, 2 * growthRequest);
    mallopt(M_TOP_PAD, int(reserve));
    char* const start = heapEnd();
    // Volatile, so that the compiler keeps a request that nothing reads.
    void* volatile request = std::malloc(growthRequest);
    char* const end = heapEnd();
    mallopt(M_TOP_PAD, defaultTopPad);
    const auto firstHugePage =
        reinterpret_cast<char*>((reinterpret_cast<quintptr>(start) + hugePage - 1) & ~quintptr(hugePage - 1));
    if (end - firstHugePage >= hugePage)
        madvise(firstHugePage, size_t(end - firstHugePage) & ~size_t(hugePage - 1), MADV_HUGEPAGE);
    std::free(request);
}
