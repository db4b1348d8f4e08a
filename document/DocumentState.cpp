#include "document/DocumentState.h"

#include "document/xml/Errors.h"
#include "document/xml/FileNames.h"
#include "document/xml/SavedText.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

// A digest of the text that Save would write, made piece by piece so that a large document is never
// held twice; the document's own text where Save would refuse it.
QByteArray contentOf(const XmlDocument& document) {
    QCryptographicHash digest(QCryptographicHash::Sha1);
    try {
        writeSavedText(document, [&digest](const QByteArray& piece) { digest.addData(piece); });
    } catch (const LimitError&) {
        digest.reset();
        digest.addData(document.xml());
    } catch (const NoActiveDocumentError&) {
        return {};
    }
    return digest.result();
}

std::optional<DocumentState::Stamp> stampOf(const QString& fileName) {
    struct stat status {};
    if (fileName.isEmpty() || ::stat(fileNameBytes(fileName).constData(), &status) != 0)
        return std::nullopt;
    const auto nanoseconds = [](const timespec& time) { return qint64(time.tv_sec) * 1000000000 + time.tv_nsec; };
    return DocumentState::Stamp{qint64(status.st_dev), qint64(status.st_ino), qint64(status.st_size),
                                nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}

QString fullName(const QString& fileName) {
    const QFileInfo file(fileName);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

} // namespace

void DocumentState::remember(const QString& fileName) {
    content_.reset();
    changed_ = false;
    fileName_ = fileName;
    stamp_ = stampOf(fileName);
}

void DocumentState::noteChangeAhead(const XmlDocument& document) {
    if (!changed_ && !content_)
        content_ = contentOf(document);
}

bool DocumentState::differs(const XmlDocument& document) const {
    return changed_ && (!content_ || contentOf(document) != *content_);
}

bool DocumentState::changedOnDisk(const QString& fileName) const {
    if (fileName_.isEmpty() || fullName(fileName) != fullName(fileName_))
        return false;
    const std::optional<Stamp> now = stampOf(fileName);
    return now && now != stamp_;
}
