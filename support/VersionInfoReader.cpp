#include "support/VersionInfoReader.h"

#include "support/VersionResource.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>

namespace {

// /proc/self/exe names the running program's file without needing a QCoreApplication.
QString runningProgramPath() {
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

QString fourHexDigits(qint32 value) {
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

TVersionInfoReader::TVersionInfoReader(QObject* owner) : QObject(owner), fileName_(runningProgramPath()) {
    GetFileInfo();
}

void TVersionInfoReader::SetAutoGetInfo(bool value) {
    if (value == autoGetInfo_)
        return;
    autoGetInfo_ = value;
    if (value)
        fileName_ = runningProgramPath();
    GetFileInfo();
}

void TVersionInfoReader::GetFileInfo() {
    try {
        versionData_ = QByteArray(version_resource::fileVersionInfoSize(fileName_), Qt::Uninitialized);
        haveVersionInfo_ = version_resource::fileVersionInfo(fileName_, versionData_);
        if (!haveVersionInfo_) {
            versionData_.clear();
            return;
        }
        readFixedFileInfo();
        readTranslation();
    } catch (...) {
        // A failed read is not reported: the reader is simply left without version information.
        haveVersionInfo_ = false;
        versionData_.clear();
    }
}

QString TVersionInfoReader::GetValue(const QString& key) const {
    const auto value = version_resource::queryValue(versionData_, QStringLiteral("\\StringFileInfo\\") +
                                                                      stringTableName_ + QLatin1Char('\\') + key);
    return value ? version_resource::textValue(*value) : QStringLiteral("No such VersionInfo");
}

void TVersionInfoReader::readFixedFileInfo() {
    const QByteArrayView fixedBlock = version_resource::queryValue(versionData_, u"\\").value_or(QByteArrayView());
    const qsizetype fields = std::min(fixedBlock.size() / qsizetype(sizeof(qint32)), qsizetype(fixedFileInfo_.size()));
    fixedFileInfo_.fill(0);
    if (fields > 0)
        qFromLittleEndian<qint32>(fixedBlock.data(), fields, fixedFileInfo_.data());
}

void TVersionInfoReader::readTranslation() {
    const auto translation = version_resource::queryValue(versionData_, u"\\VarFileInfo\\Translation");
    if (translation && translation->size() >= qsizetype(sizeof(quint32))) {
        const quint32 first = qFromLittleEndian<quint32>(translation->data());
        language_ = qint32(first & 0xFFFF);
        charSet_ = qint32(first >> 16);
    } else {
        // Without a translation list, the name of the first string table gives the translation.
        const QString table = version_resource::childKeys(versionData_, u"\\StringFileInfo").value(0);
        language_ = table.left(4).toUShort(nullptr, 16);
        charSet_ = table.mid(4, 4).toUShort(nullptr, 16);
    }
    stringTableName_ = fourHexDigits(language_) + fourHexDigits(charSet_);
}
