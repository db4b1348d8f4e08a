#pragma once

// The folders of .mxi files that the round-trip tests run over: the project's own samples in
// tests/data/samples, always there, and a folder of real authors' files when one is present.
// The real-file folder comes from PARCELWRIGHT_CORPUS, or else from the default CTest passes in
// PARCELWRIGHT_DEFAULT_CORPUS when that folder exists.

#include <QDir>
#include <QList>
#include <QSet>
#include <QString>

#include <gtest/gtest.h>

enum class SampleSet { Own, Corpus };

struct SampleFile {
    enum Outcome { Loads, Repairable, NotWellFormed, Foreign };
    QString path;
    QString name;
    Outcome outcome;
};

inline void PrintTo(SampleSet set, std::ostream* out) {
    *out << (set == SampleSet::Own ? "own samples" : "corpus");
}

inline std::string sampleSetName(const testing::TestParamInfo<SampleSet>& info) {
    return info.param == SampleSet::Own ? "Own" : "Corpus";
}

// Own samples say in their name how Load must take them; the repairable ones and real files are listed
// here by name.
inline SampleFile::Outcome expectedOutcome(const QString& name) {
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

inline void skipWithoutCorpus(const QString& lookedIn) {
    GTEST_SKIP() << "no corpus: PARCELWRIGHT_CORPUS is not set and \"" << lookedIn.toStdString() << "\" does not exist";
}

// The folder of a set, or an empty text after skipping the running test when there is no corpus.
inline QString sampleFolder(SampleSet set) {
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

// Every .mxi file of a set, by name; a folder that yields no file fails the running test.
inline QList<SampleFile> sampleFiles(SampleSet set) {
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
