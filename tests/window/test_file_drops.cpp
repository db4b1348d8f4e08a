#include "common/WindowFixture.h"

#include "window/controls/LabeledEdit.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

namespace {

class FileDropTest : public WindowTest {
protected:
    // Drops URLs onto the Name box as a file manager does, with the first as text too, which the box
    // alone would insert. Returns whether the window took the drop as a copy.
    bool drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        data.setText(urls.value(0).toString());
        const QPoint at = form->LabeledEdit1->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent dropped(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->LabeledEdit1, &enter);
        QApplication::sendEvent(form->LabeledEdit1, &dropped);
        QApplication::processEvents();
        return enter.isAccepted() && dropped.isAccepted() && dropped.dropAction() == Qt::CopyAction;
    }
};

} // namespace

TEST_F(FileDropTest, OneFileLoadsAsLoadDoes) {
    clickTab(FilesPage);
    EXPECT_TRUE(drop({QUrl::fromLocalFile(writeFile(R"(<macromedia-extension name="Dropped"/>)"))}));
    EXPECT_TRUE(messages.isEmpty()) << messageTexts().join('\n').toStdString();
    EXPECT_EQ(form->PageControl1->currentIndex(), MainPage);
    EXPECT_EQ(form->LabeledEdit1->text(), "Dropped");
}

TEST_F(FileDropTest, AFileOfLocalhostLoadsAsALocalFile) {
    QUrl url = QUrl::fromLocalFile(writeFile(R"(<macromedia-extension name="Localhost"/>)"));
    url.setHost("LocalHost");
    EXPECT_TRUE(drop({url}));
    EXPECT_EQ(form->LabeledEdit1->text(), "Localhost");
}

TEST_F(FileDropTest, AnythingButOneLocalFileIsRefusedAndTheDocumentStays) {
    QTest::keyClicks(form->LabeledEdit1, "Mine");
    const QByteArray before = form->XMLDocument1.xml();
    const QUrl file = QUrl::fromLocalFile(writeFile("<macromedia-extension/>"));
    const QList<std::pair<QList<QUrl>, QString>> refusals = {
        {{file, file}, "2 items were dropped"},
        {{QUrl::fromLocalFile(folder.path())}, '"' + folder.path() + "\" is a folder"},
        {{QUrl("http://example.com/a.mxi")}, "\"http://example.com/a.mxi\" is not a file on this computer"},
        {{QUrl("file://elsewhere/a.mxi")}, "\"file://elsewhere/a.mxi\" is not a file on this computer"}};
    for (const auto& [urls, problem] : refusals) {
        messages.clear();
        EXPECT_TRUE(drop(urls));
        EXPECT_EQ(messageTexts(), QStringList({problem + ": drop one extension installation file to load it."}));
        EXPECT_EQ(form->XMLDocument1.xml(), before);
        EXPECT_EQ(form->LabeledEdit1->text(), "Mine");
    }
}
