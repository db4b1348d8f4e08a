#include "cli/Cli.h"

#include <QBuffer>

#include "common/WindowFixture.h"

namespace {

class HeadlessFormatTest : public WindowTest, public testing::WithParamInterface<SampleSet> {};

// The file a fresh window saves after loading it, next to the same file formatted in place, and
// formatted once more.
TEST_P(HeadlessFormatTest, FormatWritesWhatTheWindowSavesAfterLoadAndIsIdempotent) {
    for (const SampleFile& file : sampleFiles(GetParam())) {
        if (file.outcome != SampleFile::Loads)
            continue;
        SCOPED_TRACE(file.name.toStdString());
        form = std::make_unique<TForm1>();
        load(file.path);
        const QByteArray saved = save(file.name);
        writeBytes(savedFile, readBytes(file.path));
        QBuffer none;
        EXPECT_EQ(cli::run({"--format", savedFile}, none, none, none), 0);
        EXPECT_EQ(readBytes(savedFile), saved);
        EXPECT_EQ(cli::run({"--format", savedFile}, none, none, none), 0);
        EXPECT_EQ(readBytes(savedFile), saved);
    }
}

INSTANTIATE_TEST_SUITE_P(, HeadlessFormatTest, testing::Values(SampleSet::Own, SampleSet::Corpus), sampleSetName);

} // namespace
