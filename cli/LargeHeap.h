#pragma once

#include <QtGlobal>

// Makes room on the heap, in one piece that the kernel backs with huge pages where it offers them on
// request, for the tree of a text of TextBytes bytes. A large file's tree then costs a few hundred
// page faults instead of a hundred thousand, which are most of the time it takes to format or check
// it. Does nothing for a small text, and changes nothing but how the memory is laid out.
void reserveHeapForText(qint64 textBytes);
