#include "common/SavedSkeleton.h"
#include "common/WindowFixture.h"

#include "window/controls/LabeledEdit.h"
#include "window/pictures/Pictures.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

QString testData(const QString& name) {
    return QStringLiteral(PARCELWRIGHT_TEST_DATA_DIR "/") + name;
}

class MainWindowTest : public WindowTest {
protected:
    // Records the root's attribute at every change of the document, keeping the window's refresh.
    QStringList recordChangesOf(const QString& attribute) {
        auto refresh = form->XMLDocument1.OnAfterNodeChange;
        form->XMLDocument1.OnAfterNodeChange = [this, refresh, attribute](const XmlNode& changed) {
            recorded.append(rootAttribute(attribute));
            refresh(changed);
        };
        return recorded;
    }

    QStringList mainPageValues() const {
        return {form->LabeledEdit1->text(), form->LabeledEdit2->text(), form->LabeledEdit3->text(),
                form->CheckBox1->isChecked() ? "checked" : "unchecked", form->ComboBox1->currentText()};
    }

    QStringList recorded;
};

} // namespace

TEST_F(MainWindowTest, StartsWithTheSkeletonOnTheMainPage) {
    EXPECT_EQ(form->windowTitle(), "Parcelwright");
    EXPECT_EQ(form->size(), QSize(473, 343));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->PageControl1->currentIndex(), MainPage);
    QStringList captions;
    for (int page = 0; page < form->PageControl1->count(); ++page)
        captions.append(form->PageControl1->tabText(page));
    EXPECT_EQ(captions, QStringList({"Main", "Description", "Products", "Files", "Configuration changes", "More"}));
    EXPECT_EQ(mainPageValues(), QStringList({"", "", "", "checked", ""}));
    EXPECT_EQ(form->ComboBox1->currentIndex(), -1);
    EXPECT_EQ(form->ComboBox1->count(), 49);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, SavesTheSkeletonRightAfterStartUp) {
    EXPECT_EQ(save(), savedSkeleton);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, ADialogWithoutExtensionGetsMxi) {
    form->SaveDialog1.scriptAnswer(folder.filePath("plain"));
    form->Button2->click();
    EXPECT_EQ(readBytes(folder.filePath("plain.mxi")), savedSkeleton);
}

TEST_F(MainWindowTest, CancellingTheSaveDialogWritesNothing) {
    clickTab(ProductsPage);
    form->SaveDialog1.scriptAnswer(std::nullopt);
    form->Button2->click();
    EXPECT_EQ(form->PageControl1->currentIndex(), MainPage);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, EachKeystrokeWritesTheField) {
    recordChangesOf("version");
    form->LabeledEdit2->setFocus();
    QTest::keyClicks(form->LabeledEdit2, "1.0");
    EXPECT_EQ(recorded, QStringList({"1", "1.", "1.0"}));
    QTest::keyClicks(form->LabeledEdit1, "Ext");
    QTest::keyClicks(form->LabeledEdit3, "Me");
    form->CheckBox1->click();
    EXPECT_EQ(elementXml("author"), "<author name=\"Me\"/>");
    EXPECT_EQ(rootAttribute("name"), "Ext");
    EXPECT_EQ(rootAttribute("requires-restart"), "false");
    typeOver(form->LabeledEdit1, "");
    EXPECT_EQ(rootAttribute("name"), "");
}

TEST_F(MainWindowTest, AHeadingIsRefusedWithABeep) {
    pickFromList(form->ComboBox1, 2);
    ASSERT_EQ(rootAttribute("type"), "command");
    pickFromList(form->ComboBox1, 33);
    EXPECT_EQ(shell.beeps, 1);
    EXPECT_EQ(form->ComboBox1->currentIndex(), -1);
    EXPECT_EQ(rootAttribute("type"), "command");
}

TEST_F(MainWindowTest, TheSecondFlashPanelSelectsTheFirst) {
    pickFromList(form->ComboBox1, 47);
    EXPECT_EQ(rootAttribute("type"), "flash panel");
    EXPECT_EQ(form->ComboBox1->currentIndex(), 45);
    pickFromList(form->ComboBox1, 44);
    EXPECT_EQ(rootAttribute("type"), "flash custom action");
}

TEST_F(MainWindowTest, LoadShowsTheFileOnTheMainPage) {
    clickTab(FilesPage);
    form->CheckBox1->setChecked(true);
    load(testData("unit1_no_type.mxi"));
    EXPECT_TRUE(messages.isEmpty()) << messageTexts().join('\n').toStdString();
    EXPECT_EQ(form->PageControl1->currentIndex(), MainPage);
    EXPECT_EQ(mainPageValues(), QStringList({"Loaded", "2.5", "Someone", "unchecked", ""}));
    // The refresh writes nothing back: the absent flag and the absent type stay absent.
    EXPECT_EQ(rootAttribute("requires-restart"), "<absent>");
    EXPECT_EQ(rootAttribute("type"), "<absent>");
    // Later changes are not interrupted by the missing type.
    QTest::keyClicks(form->LabeledEdit1, "!");
    EXPECT_EQ(rootAttribute("name"), "Loaded!");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, StartsWithTheFileNamedOnTheCommandLine) {
    EXPECT_EQ(form->windowIcon().pixmap(32).toImage(), applicationIcon().pixmap(32).toImage());
    form->openFile(testData("unit1_no_author.mxi"));
    EXPECT_TRUE(messages.isEmpty()) << messageTexts().join('\n').toStdString();
    EXPECT_EQ(mainPageValues(), QStringList({"N", "1", "", "unchecked", "command"}));
}

TEST_F(MainWindowTest, StartsWithTheSkeletonWhenTheNamedFileCannotBeLoaded) {
    form->openFile(folder.filePath("missing.mxi"));
    form->openFile(writeFile("<macromedia-extension name=\"x\">"));
    EXPECT_EQ(messageTexts(),
              QStringList({"\"" + folder.filePath("missing.mxi") + "\" cannot be read: No such file or directory.",
                           "Premature end of data in tag macromedia-extension line 1\nLigne: 1, column 32\n"
                           "<macromedia-extension name=\"x\">."}));
    EXPECT_EQ(save(), savedSkeleton);
}

TEST_F(MainWindowTest, LoadWritesNothingThatTheFileLacks) {
    QTest::keyClicks(form->LabeledEdit1, "Ext");
    QTest::keyClicks(form->LabeledEdit2, "2");
    QTest::keyClicks(form->LabeledEdit3, "Me");
    load(writeFile(R"(<macromedia-extension requires-restart="true"><files/></macromedia-extension>)"));
    EXPECT_EQ(mainPageValues(), QStringList({"", "", "", "checked", ""}));
    EXPECT_EQ(save(), "<macromedia-extension requires-restart=\"true\">\r\n  <files/>\r\n</macromedia-extension>\r\n");
}

// Qt's line edits would cut these values at 32,767 characters.
TEST_F(MainWindowTest, EditBoxesKeepLongValuesWhole) {
    const QByteArray value(40000, 'x');
    load(writeFile("<macromedia-extension name=\"" + value + "\"><products><product name=\"flash\" version=\"" + value +
                   "\"/></products><files><file source=\"" + value +
                   "\" destination=\"d\"/></files></macromedia-extension>"));
    for (const auto& [page, list] : {std::pair{ProductsPage, form->ListBox1}, {FilesPage, form->ListBox2}}) {
        clickTab(page);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    }
    form->CheckBox4->click();
    clickTab(MainPage);
    QTest::keyClicks(form->LabeledEdit1, "!");
    EXPECT_EQ(save().count(value), 3);
    EXPECT_EQ(rootAttribute("name"), value + "!");
}

// A name typed without extension finds, or makes, the .mxi file.
TEST_F(MainWindowTest, FileDialogsCompleteANameTypedWithoutExtension) {
    writeBytes(folder.filePath("plainname.mxi"), {});
    for (const FileDialog* wrapper : {&form->OpenDialog1, &form->SaveDialog1}) {
        const auto dialog = wrapper->newDialog(form.get());
        dialog->setDirectory(folder.path());
        dialog->open();
        QTest::keyClicks(dialog->findChild<QLineEdit*>("fileNameEdit"), "plainname");
        // Closes a "File not found" box, which would wait for an answer.
        QTimer::singleShot(0, dialog.get(),
                           [] { delete qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); });
        QTest::keyClick(dialog->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
        EXPECT_EQ(dialog->selectedFiles(), QStringList{folder.filePath("plainname.mxi")});
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
    }
}

TEST_F(MainWindowTest, TypeMatchesWithoutLetterCaseAndAuthorIsCreated) {
    load(testData("unit1_no_author.mxi"));
    EXPECT_EQ(mainPageValues(), QStringList({"N", "1", "", "unchecked", "command"}));
    EXPECT_EQ(rootAttribute("type"), "Command");
    QTest::keyClicks(form->LabeledEdit3, "A");
    EXPECT_EQ(elementXml("author"), "<author name=\"A\"/>");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, AFileThatIsNotWellFormedKeepsTheDocument) {
    QTest::keyClicks(form->LabeledEdit1, "Mine");
    const QByteArray before = form->XMLDocument1.xml();
    // The bare & alone could be repaired; beside the unclosed files element it gets no offer.
    load(writeFile("<macromedia-extension name=\"Tom & Jerry\">\n<files>\n</macromedia-extension>"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, "A bare & starts no reference: XML writes the character & as &amp;\nLigne: 1, column "
                                "33\n<macromedia-extension name=\"Tom & Jerry\"");
    EXPECT_EQ(messages[0].title, "Parcelwright for Macromedia products");
    EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(form->XMLDocument1.xml(), before);
    EXPECT_EQ(form->LabeledEdit1->text(), "Mine");
}

TEST_F(MainWindowTest, AForeignRootIsRefused) {
    const QByteArray before = form->XMLDocument1.xml();
    load(sample("foreign-root-other-program.mxi"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.endsWith("its root element is <package>, not <macromedia-extension>."));
    EXPECT_EQ(form->XMLDocument1.xml(), before);
}

TEST_F(MainWindowTest, OpenRepairedShowsTheRepairedDocumentAndSaveWritesIt) {
    const QString file = sample("malformed-undeclared-prefix-then-bare-ampersand.mxi");
    const QByteArray onDisk = readBytes(file);
    const QString caption = form->windowTitle();
    load(file);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, "A bare & starts no reference: XML writes the character & as &amp;\nLigne: 4, column "
                                "43\n    <file source=\"b.js\" destination=\"Hel.\n\nA repaired copy can be opened "
                                "instead; the file itself stays as it is. The repair changes:\nline 4, column 43: a "
                                "bare & becomes &amp;");
    EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(form->LabeledEdit1->text(), "Prefix");
    EXPECT_EQ(form->windowTitle(), caption);
    EXPECT_EQ(readBytes(file), onDisk);
    EXPECT_EQ(save(), "<macromedia-extension name=\"Prefix\" version=\"1\" type=\"command\">\r\n  <files>\r\n    <file "
                      "MMString:source=\"a.js\" "
                      "destination=\"$dreamweaver\"/>\r\n    <file source=\"b.js\" destination=\"Help &amp; "
                      "More\"/>\r\n  </files>\r\n</macromedia-extension>\r\n");
}

TEST_F(MainWindowTest, CancellingTheRepairKeepsTheDocument) {
    QTest::keyClicks(form->LabeledEdit1, "Mine");
    const QByteArray before = form->XMLDocument1.xml();
    MessageBoxes::answerOffersWith(false);
    load(sample("malformed-declaration-version-1.0.0.mxi"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.endsWith("The repair changes:\nline 1: XML version 1.0.0 becomes 1.0"));
    EXPECT_EQ(form->XMLDocument1.xml(), before);
    EXPECT_EQ(form->LabeledEdit1->text(), "Mine");
}

TEST_F(MainWindowTest, TheRepairOfferOpensOnEnterAndCancelsOnEscape) {
    for (const auto& [key, button] :
         {std::pair(Qt::Key_Return, "Open repaired"), std::pair(Qt::Key_Escape, "Cancel")}) {
        const std::unique_ptr<QMessageBox> box = MessageBoxes::newRepairOfferBox("offer");
        box->show();
        QTest::keyClick(box.get(), key);
        ASSERT_TRUE(box->clickedButton());
        EXPECT_EQ(box->clickedButton()->text().remove('&'), button);
    }
}

class SampleFilesWindowTest : public MainWindowTest, public testing::WithParamInterface<SampleSet> {};

// A repairable file opens repaired on the offer's default answer; any other refusal keeps the document.
TEST_P(SampleFilesWindowTest, LoadOrAreRefusedClearly) {
    for (const SampleFile& file : sampleFiles(GetParam())) {
        SCOPED_TRACE(file.name.toStdString());
        messages.clear();
        const QByteArray before = form->XMLDocument1.xml();
        load(file.path);
        const bool loads = file.outcome == SampleFile::Loads || file.outcome == SampleFile::Repairable;
        EXPECT_EQ(messages.size(), loads && file.outcome == SampleFile::Loads ? 0 : 1)
            << messageTexts().join('\n').toStdString();
        if (!messages.isEmpty()) {
            EXPECT_EQ(messages[0].icon, loads ? QMessageBox::Warning : QMessageBox::Critical);
        }
        if (loads) {
            EXPECT_EQ(form->LabeledEdit1->text(), rootAttribute("name").replace("<absent>", ""));
            EXPECT_FALSE(save().isEmpty());
        } else {
            EXPECT_EQ(form->XMLDocument1.xml(), before);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(, SampleFilesWindowTest, testing::Values(SampleSet::Own, SampleSet::Corpus), sampleSetName);

TEST_F(MainWindowTest, AltReleaseOverTheBackgroundShowsTheDocument) {
    QTest::mouseRelease(form.get(), Qt::LeftButton, Qt::AltModifier, QPoint(100, 325));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, QString::fromUtf8(savedSkeleton));
    EXPECT_EQ(messages[0].icon, QMessageBox::NoIcon);

    messages.clear();
    QTest::mouseRelease(form.get(), Qt::RightButton, Qt::NoModifier, QPoint(100, 325));
    QTest::mouseRelease(form->Button2, Qt::LeftButton, Qt::AltModifier);
    QTest::mouseRelease(form->LabeledEdit1, Qt::LeftButton, Qt::AltModifier);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, CloseEndsTheWindowWithoutWriting) {
    form->Button3->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// Each way out of the document asks before unsaved edits go, and only then: Save saves first and goes
// on, Discard goes on, Cancel leaves the window, its page and its editors as they were.
TEST_F(MainWindowTest, EachWayOutAsksBeforeUnsavedEditsGo) {
    const QString other =
        writeFile(R"(<macromedia-extension name="Other" version="" type="" requires-restart="true"/>)");
    const auto closed = [](TForm1& f) { return !f.isVisible(); };
    const auto loaded = [](TForm1& f) { return f.LabeledEdit1->text() == "Other"; };
    const struct {
        const char* name;
        std::function<void(TForm1&)> leave;
        std::function<bool(TForm1&)> left;
    } ways[] = {
        {"Close", [](TForm1& f) { f.Button3->click(); }, closed},
        {"CtrlQ",
         [](TForm1& f) {
             f.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
             QTest::keyClick(&f, Qt::Key_Q, Qt::ControlModifier);
         },
         closed},
        {"CloseRequest",
         [](TForm1& f) {
             QCloseEvent request;
             QApplication::sendEvent(f.windowHandle(), &request);
         },
         closed},
        {"Load",
         [&](TForm1& f) {
             f.OpenDialog1.scriptAnswer(other);
             f.Button1->click();
         },
         loaded},
        {"Drop", [&](TForm1& f) { f.FormDragDrop({QUrl::fromLocalFile(other)}); }, loaded},
    };
    const struct {
        const char* name;
        std::function<void()> make;
        bool asks = false;
    } states[] = {
        {"NoEdit", [] {}},
        {"Edit", [this] { typeOver(form->LabeledEdit1, "Edited"); }, true},
        {"EditSaved",
         [this] {
             typeOver(form->LabeledEdit1, "Edited");
             save("first.mxi");
         }},
        {"EditTypedBack",
         [this] {
             typeOver(form->LabeledEdit1, "Edited");
             typeOver(form->LabeledEdit1, "");
         }},
        {"LoadedAndEveryPageSeen",
         [this] {
             load(testData("products_flag_combinations.mxi"));
             for (const Page page : {DescriptionPage, ProductsPage, FilesPage, ConfigurationPage, MainPage})
                 clickTab(page);
         }},
        {"LoadedEditTypedBack",
         [this] {
             load(testData("products_flag_combinations.mxi"));
             typeOver(form->LabeledEdit1, "Edited");
             typeOver(form->LabeledEdit1, "Combinations");
         }},
        {"OnPageNotYetStored",
         [this] {
             clickTab(DescriptionPage);
             typeOver(form->Memo1, "Edited");
         },
         true},
    };
    int run = 0;
    for (const auto& way : ways) {
        for (const auto& state : states) {
            for (const QMessageBox::StandardButton answer :
                 {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel}) {
                SCOPED_TRACE(std::string(way.name) + " " + state.name + " " + std::to_string(answer));
                form = std::make_unique<TForm1>();
                form->show();
                state.make();
                const bool asks = state.asks;
                const int page = form->PageControl1->currentIndex();
                const QString answered = folder.filePath(QString("answer%1.mxi").arg(++run));
                messages.clear();
                MessageBoxes::answerQuestionsWith({answer});
                form->SaveDialog1.scriptAnswer(answered);
                way.leave(*form);
                EXPECT_EQ(messageTexts(), asks ? QStringList{"Save changes to the new extension?"} : QStringList());
                EXPECT_EQ(way.left(*form), !asks || answer != QMessageBox::Cancel);
                EXPECT_EQ(readBytes(answered).contains("Edited"), asks && answer == QMessageBox::Save);
                if (asks && answer == QMessageBox::Cancel) {
                    EXPECT_EQ(form->PageControl1->currentIndex(), page);
                    EXPECT_EQ(page == MainPage ? form->LabeledEdit1->text() : form->Memo1->text(), "Edited");
                }
            }
        }
    }
}

// Save asks before it replaces a file that changed on disk since it was loaded; Load offers the copy
// of the old text that an unfinished write left beside the file.
TEST_F(MainWindowTest, SaveAsksAboutAFileChangedOnDiskAndLoadOffersAnUnfinishedWritesCopy) {
    const QByteArray loaded = R"(<macromedia-extension name="Loaded" version="" type="" requires-restart="true"/>)";
    const QString file = writeFile(loaded);
    load(file);
    EXPECT_EQ(form->SaveDialog1.newDialog(form.get())->selectedFiles(), QStringList{file});
    writeBytes(file, "changed elsewhere");
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes}) {
        messages.clear();
        MessageBoxes::answerQuestionsWith({answer});
        form->SaveDialog1.scriptAnswer(file);
        form->Button2->click();
        EXPECT_EQ(readBytes(file).startsWith("changed"), answer == QMessageBox::No);
    }
    EXPECT_TRUE(messages.isEmpty()) << "asked again after its own save";
    const QString copy = QFileInfo(file).dir().filePath("." + QFileInfo(file).fileName() + "~Ab12Cd");
    writeBytes(copy, QByteArray(loaded).replace("Loaded", "Copy"));
    MessageBoxes::answerQuestionsWith({QMessageBox::Yes});
    form->OpenDialog1.scriptAnswer(file);
    form->Button1->click();
    EXPECT_EQ(
        messageTexts(),
        QStringList({"\"" + file + "\": an earlier write of this file did not finish: its old text is kept in \"" +
                     copy + "\".\nOpen that copy instead?"}));
    EXPECT_EQ(form->LabeledEdit1->text(), "Copy");
}

TEST_F(MainWindowTest, AnyLaterChangeSelectsTheStoredTypeAgain) {
    pickFromList(form->ComboBox1, 2);
    pickFromList(form->ComboBox1, 0);
    ASSERT_EQ(form->ComboBox1->currentIndex(), -1);
    XmlNode description = Mxi::findRoot(form->XMLDocument1).findChild("description");
    description.firstChild().setValue("changed elsewhere");
    EXPECT_EQ(form->ComboBox1->currentText(), "command");
}

TEST_F(MainWindowTest, TheRefreshFollowsTheRootAndTheAuthor) {
    XmlNode root = Mxi::findRoot(form->XMLDocument1);
    root.setAttribute("name", "From the document");
    root.findChild("author").setAttribute("name", "Writer");
    EXPECT_EQ(form->LabeledEdit1->text(), "From the document");
    EXPECT_EQ(form->LabeledEdit3->text(), "Writer");
    root.removeFirstChild("author");
    EXPECT_EQ(form->LabeledEdit3->text(), "");
}
