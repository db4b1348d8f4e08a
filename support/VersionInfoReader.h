#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <array>

// Reads the version information of an executable file: the fixed version block and the string table
// of the file's first translation, from which GetValue answers single values by key.
class TVersionInfoReader : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(bool AutoGetInfo READ AutoGetInfo WRITE SetAutoGetInfo)
    Q_PROPERTY(bool HaveVersionInfo READ HaveVersionInfo)
    Q_PROPERTY(qint32 Language READ Language)
    Q_PROPERTY(qint32 CharSet READ CharSet)
    Q_PROPERTY(qint32 Signature READ Signature)
    Q_PROPERTY(qint32 StrucVersion READ StrucVersion)
    Q_PROPERTY(qint32 FileVersionMS READ FileVersionMS)
    Q_PROPERTY(qint32 FileVersionLS READ FileVersionLS)
    Q_PROPERTY(qint32 ProductVersionMS READ ProductVersionMS)
    Q_PROPERTY(qint32 ProductVersionLS READ ProductVersionLS)
    Q_PROPERTY(qint32 FileFlagsMask READ FileFlagsMask)
    Q_PROPERTY(qint32 FileFlags READ FileFlags)
    Q_PROPERTY(qint32 FileOS READ FileOS)
    Q_PROPERTY(qint32 FileType READ FileType)
    Q_PROPERTY(qint32 FileSubtype READ FileSubtype)
    Q_PROPERTY(qint32 FileDateMS READ FileDateMS)
    Q_PROPERTY(qint32 FileDateLS READ FileDateLS)

public:
    // Reads the running program's own file.
    explicit TVersionInfoReader(QObject* owner = nullptr);

    QString FileName() const { return fileName_; }
    // Stores the path only; GetFileInfo reads it.
    void setFileName(const QString& fileName) { fileName_ = fileName; }

    bool AutoGetInfo() const { return autoGetInfo_; }
    // Switching on follows the running program's file again; switching either way re-reads.
    Q_INVOKABLE void SetAutoGetInfo(bool value);

    bool HaveVersionInfo() const { return haveVersionInfo_; }
    qint32 Language() const { return language_; }
    qint32 CharSet() const { return charSet_; }

    qint32 Signature() const { return fixedFileInfo_[0]; }
    qint32 StrucVersion() const { return fixedFileInfo_[1]; }
    qint32 FileVersionMS() const { return fixedFileInfo_[2]; }
    qint32 FileVersionLS() const { return fixedFileInfo_[3]; }
    qint32 ProductVersionMS() const { return fixedFileInfo_[4]; }
    qint32 ProductVersionLS() const { return fixedFileInfo_[5]; }
    qint32 FileFlagsMask() const { return fixedFileInfo_[6]; }
    qint32 FileFlags() const { return fixedFileInfo_[7]; }
    qint32 FileOS() const { return fixedFileInfo_[8]; }
    qint32 FileType() const { return fixedFileInfo_[9]; }
    qint32 FileSubtype() const { return fixedFileInfo_[10]; }
    qint32 FileDateMS() const { return fixedFileInfo_[11]; }
    qint32 FileDateLS() const { return fixedFileInfo_[12]; }

    // Reads the version information of FileName. A file without any, or one that cannot be read,
    // leaves HaveVersionInfo false and the other properties as they were.
    Q_INVOKABLE void GetFileInfo();

    // The value stored under key (any letter case) in the string table of the first translation,
    // or "No such VersionInfo".
    Q_INVOKABLE QString GetValue(const QString& key) const;

private:
    void readFixedFileInfo();
    void readTranslation();

    QString fileName_;
    bool autoGetInfo_ = true;
    bool haveVersionInfo_ = false;
    qint32 language_ = 0;
    qint32 charSet_ = 0;
    std::array<qint32, 13> fixedFileInfo_{};
    QByteArray versionData_;
    QString stringTableName_;
};
