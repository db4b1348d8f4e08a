#pragma once

// The folders of .mxi files that the round-trip tests run over: the project's own samples in
// tests/data/samples, always there, and a folder of real authors' files when one is present.
// The real-file folder comes from PARCELWRIGHT_CORPUS, or else from the default CTest passes in
// PARCELWRIGHT_DEFAULT_CORPUS when that folder exists.

#include <QList>
#include <QString>

#include <gtest/gtest.h>

enum class SampleSet { Own, Corpus };

struct SampleFile {
    enum Outcome { Loads, Repairable, NotWellFormed, Foreign };
    QString path;
    QString name;
    Outcome outcome;
};

void PrintTo(SampleSet set, std::ostream* out);
std::string sampleSetName(const testing::TestParamInfo<SampleSet>& info);
// The own sample file of this name.
QString sample(const QString& name);
// The folder of a set, or an empty text after skipping the running test when there is no corpus.
QString sampleFolder(SampleSet set);
// Every .mxi file of a set, by name; a folder that yields no file fails the running test.
QList<SampleFile> sampleFiles(SampleSet set);
