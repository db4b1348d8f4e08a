#include "cli/Cli.h"

#include <QBuffer>

#include "common/WindowFixture.h"

namespace {

using HeadlessFormatTest = WindowTest;

// The file a fresh window saves after loading it, next to the same file formatted in place.
TEST_F(HeadlessFormatTest, FormatWritesWhatTheWindowSavesAfterLoad) {
    const QDir data(QStringLiteral(PARCELWRIGHT_TEST_DATA_DIR));
    for (const QString& name : data.entryList({"*.mxi"}, QDir::Files)) {
        form = std::make_unique<TForm1>();
        load(data.filePath(name));
        const QByteArray saved = save(name);
        writeBytes(savedFile, readBytes(data.filePath(name)));
        QBuffer none;
        EXPECT_EQ(cli::run({"--format", savedFile}, none, none, none), 0);
        EXPECT_EQ(readBytes(savedFile), saved) << name.toStdString();
    }
}

} // namespace
