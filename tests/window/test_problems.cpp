#include "common/RunCli.h"
#include "common/WindowFixture.h"

#include "common/Painted.h"

#include "document/DocumentProblems.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/ProblemsIndicator.h"
#include "window/forms/ProblemsWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QListView>
#include <QTest>

namespace {

class ProblemsTest : public WindowTest {
protected:
    ProblemsWindow* problemsWindow() const { return form->findChild<ProblemsWindow*>(); }

    // The problems list's lines once every source has been looked up.
    QStringList listedProblems() {
        const DocumentProblems& problems = problemsWindow()->problems();
        EXPECT_TRUE(QTest::qWaitFor([&] { return problems.settled(); }));
        QStringList lines;
        const QAbstractItemModel* model = problemsWindow()->ListView1->model();
        for (int row = 0; row < model->rowCount(); ++row)
            lines.append(model->index(row, 0).data().toString());
        return lines;
    }

    // --check's findings about FileName, in the words of the problems list.
    static QStringList checkFindings(const QString& fileName) {
        QStringList lines;
        for (const QString& line :
             QString::fromUtf8(runCli({"--check", fileName}).errors).split('\n', Qt::SkipEmptyParts)) {
            const QStringList parts = line.mid(fileName.size() + 1).split(QStringLiteral(": warning: "));
            lines.append(QStringLiteral("Line %1: %2").arg(parts[0].section(':', 0, 0), parts[1]));
        }
        return lines;
    }

    // Chooses the listed finding that holds Words as the user does: F8, the line, Enter.
    void choose(const QString& words) {
        QTest::keyClick(form.get(), Qt::Key_F8);
        const QStringList lines = listedProblems();
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(words); });
        ASSERT_NE(line, lines.end()) << words.toStdString();
        QListView* list = problemsWindow()->ListView1;
        list->setCurrentIndex(list->model()->index(int(line - lines.begin()), 0));
        QTest::keyClick(list, Qt::Key_Return);
    }

    QString indicator() const { return form->ProblemsIndicator1->text(); }

    static void clickLine(ListBox* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    }

    // Whether the painted line of List carries the mark at its left edge.
    static bool marked(ListBox* list, int row) {
        const QRect line = list->visualRect(list->model()->index(row, 0));
        return list->viewport()->grab().toImage().pixelColor(line.left() + 1, line.center().y()) ==
               ListBox::markColour();
    }
};

QByteArray extension(const QByteArray& body) {
    return "<macromedia-extension name=\"Tidy\" version=\"1.0.2\">\n" + body + "\n</macromedia-extension>\n";
}

TEST_F(ProblemsTest, ListsWhatCheckFindsInItsWords) {
    const QByteArray cases[] = {
        "<macromedia-extension name=\"\" version=\"1\"/>",
        "<macromedia-extension name=\"" + QByteArray(256, 'n') + "\" version=\"\"/>",
        "<macromedia-extension name=\"Tidy\" version=\"1.0 beta\"/>",
        extension("<products>\n <product name='Photoshop' version='CS5'/><product name='Fireworkz'/></products>"),
        extension("<products><product version='8'/></products>"),
        extension("<ui-access>" + QByteArray(513, 'u') + "</ui-access>"),
        extension("<description/>\n\n<description/>"),
        extension("<files><file source='a.js' destination='$dw\\C/A.JS/'/><file destination='d'/></files>"),
        extension("<files>\n<file source='a.js' destination='d'/>\n<file source='a.js' destination='D/'/>\n"
                  "<file source='a.js' file-type='zip' plateform='linux' platform='mac'/>\n"
                  "<file source='b.js' destination='d'/></files>"),
        extension("<configuration-changes><menu-insert>\n<menuitem id='m'/></menu-insert><menu-insert>"
                  "<menuitem id='n'/><menuitem id='m'/></menu-insert></configuration-changes>"),
        extension("\n<files><file source='b.js' destination='d'/><file source='c.js' destination='d'/></files>"),
        "<macromedia-extension name=\"Tidy\" version=\"1\" id=\"{AppID}\"/>",
    };
    writeBytes(folder.filePath("a.js"), "");
    for (const QByteArray& text : cases) {
        SCOPED_TRACE(text.left(120).constData());
        const QString fileName = writeFile(text);
        load(fileName);
        const QStringList expected = checkFindings(fileName);
        EXPECT_EQ(listedProblems(), expected);
        EXPECT_EQ(indicator(), ProblemsIndicator::summary(expected.size()));
        EXPECT_FALSE(expected.isEmpty());
    }
}

TEST_F(ProblemsTest, IndicatorCountsAndNamesThemForScreenReaders) {
    loadRootContent("<products><product name='x'/><product name='y'/></products>");
    listedProblems();
    EXPECT_EQ(indicator(), "2 warnings");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->ProblemsIndicator1)->text(QAccessible::Name),
              "Problems: 2 warnings");
    EXPECT_EQ(form->childAt(form->ProblemsIndicator1->geometry().topRight() + QPoint(2, 0)), nullptr);
}

TEST_F(ProblemsTest, NewDocumentSaysOnceThatSourcesWaitForAFile) {
    EXPECT_EQ(listedProblems(),
              QStringList({"Sources are not looked up until the extension is saved: it has no file yet",
                           "name is empty: give the extension a name",
                           "version is empty: give the extension a version such as 1.0.0"}));
    EXPECT_EQ(indicator(), "2 warnings");
}

TEST_F(ProblemsTest, AfterSaveTheyAreCheckWordsOnTheSavedFile) {
    loadRootContent("<files><file source='here.js' destination='d'/><file source='gone.js' destination='d'/>"
                    "<file source='here.js' destination='d'/></files>");
    ASSERT_EQ(listedProblems().size(), 2);
    writeBytes(folder.filePath("here.js"), "");
    save();
    EXPECT_EQ(listedProblems(), checkFindings(savedFile));
    EXPECT_EQ(listedProblems().size(), 2);
}

TEST_F(ProblemsTest, FindingsChangeNothing) {
    loadRootContent("<products><product name='x'/></products><files><file source='a' destination='a'/></files>");
    const QByteArray loaded = form->XMLDocument1.xml();
    for (const char* words : {"product 'x'", "destination 'a'", "'a' is not found"}) {
        choose(QString::fromUtf8(words));
        EXPECT_EQ(form->XMLDocument1.xml(), loaded);
    }
}

TEST_F(ProblemsTest, ChoosingAFindingShowsWhereItIsEdited) {
    loadRootContent("<description/><ui-access>" + QByteArray(600, 'u') +
                    "</ui-access><products><product name='dreamweaver'/><product name='x'/></products>"
                    "<files><file source='a' destination='d'/><file source='b' destination='d/b'/></files>");
    choose("product 'x'");
    EXPECT_EQ(form->PageControl1->currentIndex(), ProductsPage);
    EXPECT_EQ(form->ListBox1->selectedRow(), 1);
    EXPECT_EQ(form->focusWidget(), form->ListBox1);
    choose("destination 'd/b'");
    EXPECT_EQ(form->PageControl1->currentIndex(), FilesPage);
    EXPECT_EQ(form->ListBox2->selectedRow(), 1);
    EXPECT_EQ(form->Edit1->text(), "b");
    choose("ui-access is 600");
    EXPECT_EQ(form->PageControl1->currentIndex(), DescriptionPage);
    EXPECT_EQ(form->focusWidget(), form->Memo2);
    clickTab(MainPage);
    typeOver(form->LabeledEdit2, "1 beta");
    choose("version '1 beta'");
    EXPECT_EQ(form->focusWidget(), form->LabeledEdit2);
    load(writeFile("<macromedia-extension name=\"Tidy\" version=\"1\" id=\"{AppID}\"/>"));
    choose("id '{AppID}'");
    EXPECT_EQ(form->focusWidget(), form->extensionIdEdit);
}

TEST_F(ProblemsTest, AnEditFollowsWithoutLeavingThePage) {
    loadRootContent("");
    QTest::keyClick(form.get(), Qt::Key_F8);
    typeOver(form->LabeledEdit2, "1 beta");
    EXPECT_EQ(listedProblems(), QStringList{"Line 1: version '1 beta' should be numbers like 1.0.2"});
    EXPECT_EQ(indicator(), "1 warning");
    typeOver(form->LabeledEdit2, "1.0");
    EXPECT_EQ(listedProblems(), QStringList{});
    EXPECT_EQ(indicator(), "No problems");
    clickTab(DescriptionPage);
    pasteOver(form->Memo2, QString(513, 'u'));
    EXPECT_EQ(listedProblems(), QStringList{"ui-access is 513 characters long: shorten it to 512 at most"});
    QTest::keyClick(form->Memo2, Qt::Key_Backspace);
    EXPECT_EQ(indicator(), "No problems");
    clickTab(Page(ConfigurationPage + 1));
    typeOver(form->extensionIdEdit, "my id");
    EXPECT_EQ(listedProblems(), QStringList{"Line 1: id 'my id' should be a reverse-DNS name like com.example.tidy"});
    typeOver(form->extensionIdEdit, "com.example.tidy");
    EXPECT_EQ(listedProblems(), QStringList{});
}

TEST_F(ProblemsTest, AListLineFollowsItsEditorsWithItsMarkWithoutLeavingThePage) {
    writeBytes(folder.filePath("a.js"), "");
    loadRootContent("<files><file source='a.js' destination='d/a.js'/><file source='a.js' destination='e'/></files>");
    const QByteArray loaded = form->XMLDocument1.xml();
    const QString fault = "destination 'd/a.js' ends with the file's own name: give the folder only, 'd'";
    clickTab(FilesPage);
    clickLine(form->ListBox2, 0);
    ASSERT_EQ(listedProblems(), QStringList{"Line 1: " + fault});
    EXPECT_TRUE(marked(form->ListBox2, 0));
    EXPECT_FALSE(marked(form->ListBox2, 1));
    const QModelIndex first = form->ListBox2->model()->index(0, 0);
    EXPECT_EQ(first.data(Qt::ToolTipRole).toString(), fault);
    EXPECT_EQ(first.data(Qt::AccessibleTextRole).toString(), "a.js to d/a.js. Warning: " + fault);

    typeOver(form->Edit2, "d");
    EXPECT_EQ(indicator(), "No problems");
    EXPECT_FALSE(marked(form->ListBox2, 0));
    EXPECT_FALSE(first.data(Qt::ToolTipRole).isValid());
    clickLine(form->ListBox2, 1);
    typeOver(form->Edit2, "e/a.js");
    EXPECT_EQ(listedProblems(),
              QStringList{"Line 1: destination 'e/a.js' ends with the file's own name: give the folder only, 'e'"});
    EXPECT_TRUE(marked(form->ListBox2, 1));
    EXPECT_EQ(form->XMLDocument1.xml(), loaded);

    loadRootContent("<files><file source='x.js' destination='d/x.js'/><file source='y.js' destination='d'/></files>");
    clickTab(FilesPage);
    clickLine(form->ListBox2, 0);
    typeOver(form->Edit2, "d");
    EXPECT_EQ(listedProblems().size(), 1) << "none of the 2 sources is found, as before";
    EXPECT_FALSE(marked(form->ListBox2, 0));
}

TEST_F(ProblemsTest, AddedAndRemovedLinesCountBeforeThePageIsLeft) {
    loadRootContent("<products><product name='x'/></products>");
    clickTab(ProductsPage);
    form->Button4->click();
    clickLine(form->ListBox1, 1);
    typeOver(form->LabeledEdit4, "CS5");
    EXPECT_EQ(listedProblems(), QStringList({"version 'CS5' should be numbers like 1.0.2",
                                             "Line 1: product 'x' is unknown to the Extension Manager: use one of " +
                                                 ExtensionRules::knownProducts().join(", ")}));
    clickLine(form->ListBox1, 0);
    form->Button5->click();
    choose("version 'CS5'");
    EXPECT_EQ(form->ListBox1->selectedRow(), 0);
    typeOver(form->LabeledEdit4, "5");
    EXPECT_EQ(indicator(), "No problems");
}

TEST_F(ProblemsTest, KeyboardOpensAndClosesTheList) {
    form->ProblemsIndicator1->setFocus();
    QTest::keyClick(form->ProblemsIndicator1, Qt::Key_Return);
    ASSERT_TRUE(problemsWindow()->isVisible());
    QTest::keyClick(problemsWindow()->ListView1, Qt::Key_Escape);
    EXPECT_FALSE(problemsWindow()->isVisible());
    QTest::keyClick(form->ProblemsIndicator1, Qt::Key_Space);
    EXPECT_TRUE(problemsWindow()->isVisible());
}

} // namespace
