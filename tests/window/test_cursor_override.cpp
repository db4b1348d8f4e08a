#include "common/WindowFixture.h"

#include <QApplication>

namespace {

class CursorOverrideTest : public WindowTest {};

// Every change of the document during Load, a change of page and Save happens under the busy
// cursor, and the pointer is back to normal afterwards.
TEST_F(CursorOverrideTest, LoadPageChangesAndSaveShowTheBusyCursor) {
    QList<Qt::CursorShape> shapes;
    const auto notify = form->XMLDocument1.OnAfterNodeChange;
    form->XMLDocument1.OnAfterNodeChange = [&](const XmlNode& node) {
        shapes.append(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor);
        notify(node);
    };
    // Save makes the source relative to the saved file's folder, a change of the document.
    const QString file = writeFile("<macromedia-extension><files><file source=\"" + folder.filePath("a.js").toUtf8() +
                                   "\"/></files></macromedia-extension>");
    // Load itself writes nothing; leaving a page with an edit for it does.
    const std::function<void()> actions[] = {[&] {
                                                 clickTab(ConfigurationPage);
                                                 typeOver(form->Memo3, "<x/>");
                                                 load(file);
                                             },
                                             [&] {
                                                 // Leaving the page writes only a changed list.
                                                 clickTab(FilesPage);
                                                 form->Button7->click();
                                                 clickTab(MainPage);
                                             },
                                             [&] { save(); }};
    for (const auto& action : actions) {
        SCOPED_TRACE(&action - actions);
        shapes.clear();
        action();
        EXPECT_GT(shapes.size(), 0);
        EXPECT_EQ(shapes.count(Qt::WaitCursor), shapes.size());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(messageTexts(), QStringList());
}

} // namespace
