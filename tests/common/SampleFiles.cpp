#include "common/SampleFiles.h"

#include <QDir>
#include <QSet>

namespace {

SampleFile::Outcome expectedOutcome(const QString& name) {
    static const QSet<QString> repairableFiles = {QStringLiteral("malformed-bare-ampersand-in-attribute.mxi"),
                                                  QStringLiteral("malformed-declaration-version-1.0.0.mxi"),
                                                  QStringLiteral("malformed-undeclared-prefix-then-bare-ampersand.mxi"),
                                                  QStringLiteral("foreign-root-macromedia-package.mxi"),
                                                  QStringLiteral("dw-modx-ja-bom-crlf-mmstring-prefix.mxi"),
                                                  QStringLiteral("flash-dxclipboard-bom-unescaped-ampersand.mxi"),
                                                  QStringLiteral("dw3-macromedia-package-command-stripcss.mxi")};
    if (repairableFiles.contains(name))
        return SampleFile::Repairable;
    if (name.startsWith(QStringLiteral("malformed-")) ||
        name == QStringLiteral("fw-senocular-posablefigure-not-xml.mxi"))
        return SampleFile::NotWellFormed;
    if (name.startsWith(QStringLiteral("foreign-")))
        return SampleFile::Foreign;
    return SampleFile::Loads;
}

void skipWithoutCorpus(const QString& lookedIn) {
    GTEST_SKIP() << "no corpus: PARCELWRIGHT_CORPUS is not set and \"" << lookedIn.toStdString() << "\" does not exist";
}

} // namespace

QString sample(const QString& name) {
    return QStringLiteral(PARCELWRIGHT_TEST_DATA_DIR "/samples/") + name;
}

void PrintTo(SampleSet set, std::ostream* out) {
    *out << (set == SampleSet::Own ? "own samples" : "corpus");
}

std::string sampleSetName(const testing::TestParamInfo<SampleSet>& info) {
    return info.param == SampleSet::Own ? "Own" : "Corpus";
}

QString sampleFolder(SampleSet set) {
    if (set == SampleSet::Own)
        return QStringLiteral(PARCELWRIGHT_TEST_DATA_DIR "/samples");
    if (qEnvironmentVariableIsSet("PARCELWRIGHT_CORPUS"))
        return qEnvironmentVariable("PARCELWRIGHT_CORPUS");
    const QString fallback = qEnvironmentVariable("PARCELWRIGHT_DEFAULT_CORPUS");
    if (!fallback.isEmpty() && QDir(fallback).exists())
        return fallback;
    skipWithoutCorpus(fallback);
    return {};
}

QList<SampleFile> sampleFiles(SampleSet set) {
    const QString folder = sampleFolder(set);
    if (folder.isEmpty())
        return {};
    QList<SampleFile> files;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.mxi")}, QDir::Files, QDir::Name))
        files.append({QDir(folder).filePath(name), name, expectedOutcome(name)});
    if (files.isEmpty())
        ADD_FAILURE() << "no .mxi file in \"" << folder.toStdString() << "\"";
    return files;
}
