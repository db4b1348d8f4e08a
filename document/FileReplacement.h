#pragma once

#include "document/xml/Errors.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The file no longer held what was read from it, so it was left as it is.
class ChangedFileError : public Error {
public:
    using Error::Error;
};

// Writes Text as the whole content of FileName, creating the file or replacing what it holds:
// - a symbolic link, or a chain of them, stays a link: the file it ends at is written, or created;
// - an existing file is written in place, so that it keeps its permission bits, owner, group and hard
//   links; a copy of its old text waits beside it until the new text is on the disk, and a failed
//   write puts the old text back, or names the copy that still holds it;
// - a read-only file, a folder, a device or a pipe is refused;
// - a new file that cannot be written whole is removed again.
// No name made beside the file is longer than the longest name the file system takes. A failure is a
// SaveError. With Expected, an existing file is replaced only while it holds exactly those bytes, and
// is otherwise left as it is (ChangedFileError).
void writeSavedFile(const QString& fileName, const QByteArray& text,
                    const std::optional<QByteArray>& expected = std::nullopt);

// Hands the text to write, piece by piece, to the function it is given.
using TextPieces = std::function<void(const std::function<void(const QByteArray&)>& write)>;

// The same for a text made while it is written, so that it is never held whole. Where making it fails,
// that failure is thrown once the file holds what it held before, or is removed again if it is new.
void writeSavedFile(const QString& fileName, const TextPieces& text);
