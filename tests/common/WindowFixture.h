#pragma once

// Shared set-up for tests that drive the main window on the offscreen platform.

#include "document/Mxi.h"
#include "window/controls/PageControl.h"
#include "window/dialogs/MessageBoxes.h"
#include "window/dialogs/Shell.h"
#include "window/forms/Unit1.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "common/Files.h"
#include "common/QtPrinters.h"
#include "common/SampleFiles.h"
#include "common/UserInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

enum Page { MainPage = 0, DescriptionPage = 1, ProductsPage = 2, FilesPage = 3, ConfigurationPage = 4 };

class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        MessageBoxes::recordInto(&messages);
        Shell::recordInto(&shell);
        form = std::make_unique<TForm1>();
        form->show();
    }

    void TearDown() override {
        form.reset();
        MessageBoxes::recordInto(nullptr);
        Shell::recordInto(nullptr);
    }

    void clickTab(Page page) { ::clickTab(form->PageControl1, page); }

    // Load as the user does it: the Load button with the file chosen in the dialog. Unsaved edits that
    // Load asks about are discarded, and the question is left out of the messages: the tests of that
    // question click Load themselves.
    void load(const QString& fileName) {
        MessageBoxes::answerQuestionsWith({QMessageBox::Discard});
        form->OpenDialog1.scriptAnswer(fileName);
        form->Button1->click();
        messages.removeIf([](const MessageBoxes::Message& message) { return message.text.startsWith("Save changes"); });
        MessageBoxes::answerQuestionsWith({});
    }

    // Save as the user does it, into a fresh folder; returns the written bytes.
    QByteArray save(const QString& name = QStringLiteral("saved.mxi")) {
        savedFile = folder.filePath(name);
        form->SaveDialog1.scriptAnswer(savedFile);
        form->Button2->click();
        return readBytes(savedFile);
    }

    // Writes a file into the test's folder and returns its name.
    QString writeFile(const QByteArray& text) {
        const QString fileName = folder.filePath(QStringLiteral("source%1.mxi").arg(++writtenFiles));
        writeBytes(fileName, text);
        return fileName;
    }

    // Loads a file whose root holds the given content.
    void loadRootContent(const QByteArray& content) {
        load(writeFile(R"(<macromedia-extension name="n" version="1" type="command" requires-restart="true">)" +
                       content + "</macromedia-extension>"));
        ASSERT_TRUE(messages.isEmpty()) << messageTexts().join('\n').toStdString();
    }

    // Edits made through the controls of a page over a root holding List: each, made alone, leaves the
    // document as it was loaded but for List, which becomes Written.
    struct ListEdit {
        const char* what;
        std::function<void()> edit;
        QByteArray written;
    };
    void expectOnlyListChanged(Page page, const QByteArray& list, const QList<ListEdit>& edits) {
        for (const ListEdit& change : edits) {
            SCOPED_TRACE(change.what);
            loadRootContent(list);
            const QByteArray loaded = form->XMLDocument1.xml();
            clickTab(page);
            change.edit();
            clickTab(MainPage);
            EXPECT_EQ(form->XMLDocument1.xml(), QByteArray(loaded).replace(list, change.written));
        }
    }

    QString rootAttribute(const QString& name) const {
        return Mxi::findRoot(form->XMLDocument1).attribute(name).value_or(QStringLiteral("<absent>"));
    }

    QString elementXml(const QString& name) const { return Mxi::findRoot(form->XMLDocument1).findChild(name).xml(); }

    QStringList messageTexts() const {
        QStringList texts;
        for (const MessageBoxes::Message& message : messages)
            texts.append(message.text);
        return texts;
    }

    QTemporaryDir folder;
    QString savedFile;
    int writtenFiles = 0;
    QList<MessageBoxes::Message> messages;
    Shell::Recorder shell;
    std::unique_ptr<TForm1> form;
};
