#pragma once

#include "document/xml/Errors.h"

#include <QString>

#include <utility>

class QIODevice;

// True when everything written to Stream so far has reached it. A file or a pipe reports a failed
// write (a full disk, a closed pipe) only once it is flushed.
bool flushed(QIODevice& stream);
// Throws an Error saying why where what was written to standard output, Output, did not reach it.
void requireFlushed(QIODevice& output);

// Where a file's work failed and why, in English: the window's message for a failed write is French.
std::pair<Place, QString> failureOf(const Error& error);
