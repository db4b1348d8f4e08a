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
// - the text goes into a new file beside the target, which takes the target's mode, owner, group,
//   extended attributes and ACLs, reaches the disk and is then renamed over the target, so that a
//   write cut short at any moment leaves either the old text or the new one;
// - only where that rename would lose something of the file (another hard link, an owner or group the
//   saver cannot give) is the file written in place, after a copy of its old text, with the file's
//   owner, group and mode, is on the disk beside it; a failed write puts the old text back, or names
//   the copy that still holds it, and a write cut short leaves the copy for unfinishedWriteCopy to find;
// - a read-only file, a folder, a device, a pipe and a name that reaches no file of its own (a deleted
//   file's entry under /proc) are refused.
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

// The copy of its old text that a write in place into FileName left beside it when it was cut short;
// empty when there is none.
QString unfinishedWriteCopy(const QString& fileName);
// What the user is told about such a copy.
QString unfinishedWriteMessage(const QString& copy);

// Runs after each step of a write that changes something on the disk, with the steps counted from 1
// in each write, so that a test can stop the write there; empty outside such tests.
extern std::function<void(int step)> afterWriteStep;
