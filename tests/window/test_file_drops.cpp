#include "common/WindowFixture.h"

#include "window/LabeledEdit.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

namespace {

class FileDropTest : public WindowTest {
protected:
    // Drags URLs over the Name box and drops them, as a file manager does (with the paths as text too,
    // which the box alone would insert). Returns whether the window took the drop as a copy.
    bool drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        data.setText(urls.value(0).toString());
        const QPoint at = form->LabeledEdit1->rect().center();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->LabeledEdit1, &enter);
        QDropEvent dropped(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->LabeledEdit1, &dropped);
        QApplication::processEvents();
        return enter.isAccepted() && dropped.isAccepted() && dropped.dropAction() == Qt::CopyAction;
    }
};

} // namespace

TEST_F(FileDropTest, OneFileLoadsAsLoadDoes) {
    switchTo(FilesPage);
    EXPECT_TRUE(drop({QUrl::fromLocalFile(writeFile(R"(<macromedia-extension name="Dropped" version="3">)"
                                                    R"(<author name="Me"/></macromedia-extension>)"))}));
    EXPECT_TRUE(messages.isEmpty()) << messageTexts().join('\n').toStdString();
    EXPECT_EQ(form->PageControl1->currentIndex(), MainPage);
    EXPECT_EQ(form->LabeledEdit1->text(), "Dropped");
    EXPECT_EQ(form->LabeledEdit3->text(), "Me");
}

TEST_F(FileDropTest, AnythingButOneLocalFileIsRefusedAndTheDocumentStays) {
    QTest::keyClicks(form->LabeledEdit1, "Mine");
    const QByteArray before = form->XMLDocument1.xml();
    const QString file = writeFile("<macromedia-extension/>");
    const struct {
        QList<QUrl> urls;
        QString message;
    } refusals[] = {
        {{QUrl::fromLocalFile(file), QUrl::fromLocalFile(file)},
         "2 items were dropped: drop one extension installation file to load it."},
        {{QUrl::fromLocalFile(folder.path())},
         QString("\"%1\" is a folder: drop one extension installation file to load it.").arg(folder.path())},
        {{QUrl("http://example.com/a.mxi")},
         "\"http://example.com/a.mxi\" is not a file on this computer: drop one "
         "extension installation file to load it."},
    };
    for (const auto& refusal : refusals) {
        messages.clear();
        EXPECT_TRUE(drop(refusal.urls));
        EXPECT_EQ(messageTexts(), QStringList({refusal.message}));
        EXPECT_EQ(form->XMLDocument1.xml(), before);
        EXPECT_EQ(form->LabeledEdit1->text(), "Mine");
    }
}
