#pragma once

#include "document/xml/XmlDocument.h"

#include <QByteArray>
#include <QString>

#include <optional>

// What the document held, and the file it went to or came from, when it was last built, loaded or
// saved: whether closing it now would lose work, and whether its file changed on disk since.
class DocumentState {
public:
    // Remembers that the document's content is to be compared from now on, and FileName as it is now
    // on disk; without a file name, a new document that has no file yet. The content itself is taken
    // only before its first change (noteChangeAhead), so that a document left alone costs nothing.
    void remember(const QString& fileName = {});
    // Told before every change of the document, while it still holds the remembered content.
    void noteChangeAhead(const XmlDocument& document);
    // Told after every change of the document.
    void noteChange() { changed_ = true; }
    // Whether Document's content is other than the remembered one; edits undone make it equal again.
    bool differs(const XmlDocument& document) const;
    // The remembered file; empty for a new document.
    QString fileName() const { return fileName_; }
    // Whether FileName is the remembered file, and on disk no longer the file that was remembered.
    bool changedOnDisk(const QString& fileName) const;

    // What identifies a file's state on disk: a write replaces or changes one of these.
    struct Stamp {
        qint64 device = 0;
        qint64 inode = 0;
        qint64 size = 0;
        qint64 modified = 0;
        qint64 changed = 0;
        bool operator==(const Stamp&) const = default;
    };

private:
    // Nullopt until the first change; a change nobody told of ahead then counts as a difference.
    std::optional<QByteArray> content_;
    bool changed_ = false;
    QString fileName_;
    std::optional<Stamp> stamp_;
};
