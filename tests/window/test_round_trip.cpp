#include "cli/Cli.h"
#include "document/ExtensionFile.h"

#include <QBuffer>

#include "common/WindowFixture.h"

namespace {

// The crafted files of tests/data/roundtrip (Own) or the corpus, those that Load reads.
QList<SampleFile> filesOf(SampleSet set) {
    QList<SampleFile> files;
    const QDir crafted(PARCELWRIGHT_TEST_DATA_DIR "/roundtrip");
    if (set == SampleSet::Own) {
        for (const QString& name : crafted.entryList({"*.mxi"}, QDir::Files, QDir::Name))
            files.append({crafted.filePath(name), name, SampleFile::Loads});
    } else {
        files = sampleFiles(SampleSet::Corpus);
    }
    files.removeIf([](const SampleFile& file) { return file.outcome != SampleFile::Loads; });
    return files;
}

// The document as Load reads the file, one line per node in document order, layout text left out.
void describe(const XmlNode& node, const QString& indent, QString& out) {
    for (const XmlNode& child : node.children()) {
        if (child.type() == NodeType::Text && child.value().trimmed().isEmpty())
            continue;
        out += indent + QString::number(int(child.type())) + ' ' + child.name();
        for (const Attribute& attribute : child.attributes())
            out += ' ' + attribute.first + "=\"" + attribute.second + '"';
        out += (child.type() == NodeType::Element ? QString() : " [" + child.xml() + ']') + '\n';
        describe(child, indent + ' ', out);
    }
}

std::string documentOf(const QString& fileName) {
    XmlDocument document;
    loadExtensionFile(document, fileName);
    QString out;
    describe(document.documentNode(), {}, out);
    return out.toStdString();
}

class RoundTripTest : public WindowTest, public testing::WithParamInterface<SampleSet> {
protected:
    // Loads the file, shows and leaves every page by its tab without an edit, and saves.
    QByteArray lookAndSave(const QString& fileName, const QString& savedName) {
        load(fileName);
        for (Page page : {DescriptionPage, ProductsPage, FilesPage, ConfigurationPage, MainPage})
            clickTab(page);
        EXPECT_EQ(form->PageControl1->currentIndex(), MainPage);
        return save(savedName);
    }

    QByteArray formatted(const QString& fileName) {
        QBuffer none;
        EXPECT_EQ(cli::run({"--format", fileName}, none, none, none), 0);
        return readBytes(fileName);
    }
};

TEST_P(RoundTripTest, ALookChangesNothingAndSavesSettle) {
    for (const SampleFile& file : filesOf(GetParam())) {
        SCOPED_TRACE(file.name.toStdString());
        form = std::make_unique<TForm1>();
        form->show();
        const QByteArray saved = lookAndSave(file.path, file.name);
        EXPECT_EQ(messageTexts(), QStringList());
        EXPECT_EQ(documentOf(savedFile), documentOf(file.path));
        EXPECT_EQ(lookAndSave(savedFile, "again-" + file.name), saved);

        const QString copy = folder.filePath("formatted-" + file.name);
        writeBytes(copy, readBytes(file.path));
        EXPECT_EQ(formatted(copy), saved);
        EXPECT_EQ(formatted(copy), saved);
        messages.clear();
    }
}

std::string rowName(const testing::TestParamInfo<SampleSet>& info) {
    return info.param == SampleSet::Own ? "Crafted" : "Corpus";
}

INSTANTIATE_TEST_SUITE_P(AllPages, RoundTripTest, testing::Values(SampleSet::Own, SampleSet::Corpus), rowName);

} // namespace
