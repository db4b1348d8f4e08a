#include "window/forms/Unit1.h"

#include "document/DocumentProblems.h"
#include "document/ExtensionFile.h"
#include "document/FileListModel.h"
#include "document/FileReplacement.h"
#include "document/Mxi.h"
#include "document/ProductListModel.h"
#include "document/Repair.h"
#include "document/SavedLines.h"
#include "document/xml/Errors.h"
#include "document/xml/SavedText.h"
#include "window/application/AccessibleNames.h"
#include "window/application/CursorOverride.h"
#include "window/controls/AttributeTable.h"
#include "window/controls/FileDrops.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/PageControl.h"
#include "window/dialogs/MessageBoxes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>

namespace {

constexpr int mainPage = 0;
const QString extensionFilter = QStringLiteral("Extension|*.mxi");
const QString extensionSuffix = QStringLiteral("mxi");

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      OpenDialog1(FileDialog::Kind::Open, extensionFilter, extensionSuffix),
      SaveDialog1(FileDialog::Kind::Save, extensionFilter, extensionSuffix), OpenDialog2(FileDialog::Kind::Open),
      ImageList1(productImages()), ImageList2(badgeImages()), ImageList3(platformImages()) {
    buildFrame();
    buildMainPage();
    buildDescriptionPage();
    buildProductsPage();
    buildFilesPage();
    buildConfigurationPage();
    buildProblems();
    buildMorePage();
    buildButtons();
    AccessibleNames::apply(*this);

    XMLDocument1.OnAfterOpen = [this] { XMLDocument1AfterOpen(); };
    XMLDocument1.OnBeforeChange = [this] { savedState_.noteChangeAhead(XMLDocument1); };
    XMLDocument1.OnAfterNodeChange = [this](const XmlNode& Node) { XMLDocument1AfterNodeChange(Node); };
    XMLDocument1.activate();
    FormCreate();
    savedState_.remember();
    new FileDrops(this, [this](const QList<QUrl>& urls) { FormDragDrop(urls); });
    Application::askAtSessionEnd(this, [this] { return mayDiscardChanges(); });
}

TForm1::~TForm1() {
    XMLDocument1.OnAfterOpen = nullptr;
    XMLDocument1.OnBeforeChange = nullptr;
    XMLDocument1.OnAfterNodeChange = nullptr;
}

void TForm1::buildFrame() {
    setWindowTitle(QStringLiteral("Parcelwright"));
    setFixedSize(473, 343);
    // The layout is measured in "MS Sans Serif" 8 points; Liberation Sans has the nearest widths here.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);
    // The background is button face while every text keeps the window-text colour: a background role
    // of Button would paint the labels in button text, over the colours that hover and small print set.
    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);
    setAutoFillBackground(true);

    PageControl1 = new PageControl(this);
    PageControl1->setGeometry(8, 8, 457, 297);
    TabSheet1 = new QWidget;
    TabSheet5 = new QWidget;
    TabSheet2 = new QWidget;
    TabSheet3 = new QWidget;
    TabSheet4 = new QWidget;
    PageControl1->addPage(TabSheet1, QStringLiteral("Main"), [this] { TabSheet1Show(); }, {});
    PageControl1->addPage(
        TabSheet5, QStringLiteral("Description"), [this] { TabSheet5Show(); }, [this] { TabSheet5Hide(); });
    PageControl1->addPage(
        TabSheet2, QStringLiteral("Products"), [this] { TabSheet2Show(); }, [this] { TabSheet2Hide(); });
    PageControl1->addPage(
        TabSheet3, QStringLiteral("Files"), [this] { TabSheet3Show(); }, [this] { TabSheet3Hide(); });
    PageControl1->addPage(
        TabSheet4, QStringLiteral("Configuration changes"), [this] { TabSheet4Show(); }, [this] { TabSheet4Hide(); });
}

// Built after the pages, so that the keyboard focus reaches the buttons after the current page's controls.
void TForm1::buildButtons() {
    Button1 = new QPushButton(QStringLiteral("Load"), this);
    Button1->setGeometry(232, 312, 73, 25);
    Button2 = new QPushButton(QStringLiteral("Save"), this);
    Button2->setGeometry(312, 312, 73, 25);
    Button3 = new QPushButton(QStringLiteral("Close"), this);
    Button3->setGeometry(392, 312, 73, 25);
    on(Button1, &QPushButton::clicked, &TForm1::Button1Click);
    on(Button2, &QPushButton::clicked, &TForm1::Button2Click);
    on(Button3, &QPushButton::clicked, &TForm1::Button3Click);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), &TForm1::Button1Click, Button1);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), &TForm1::Button2Click, Button2);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), &TForm1::Button3Click, Button3);
    // The keyboard's way to the document view: window managers often take Alt with the mouse for themselves.
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), &TForm1::showDocumentView);
}

// The button, where there is one, names its shortcut in its tooltip.
void TForm1::addShortcut(const QKeySequence& keys, void (TForm1::*handler)(), QPushButton* button) {
    on(new QShortcut(keys, this), &QShortcut::activated, handler);
    if (button)
        button->setToolTip(QStringLiteral("%1 (%2)").arg(button->text(), keys.toString(QKeySequence::NativeText)));
}

void TForm1::FormCreate() {
    PageControl1->setCurrentIndex(mainPage);
    XmlNode root = Mxi::buildSkeletonRoot(XMLDocument1);
    SkeletonBuilt = true;
    XMLDocument1.documentNode().appendChild(root);
}

void TForm1::Button1Click() {
    if (OpenDialog1.Execute(this))
        openFile(OpenDialog1.FileName);
}

void TForm1::openFile(const QString& fileName) {
    Application::runGuarded([this, &fileName] {
        if (!mayDiscardChanges())
            return;
        const QString source = fileToOpen(fileName);
        const CursorOverride busy(Qt::WaitCursor);
        leavePageFor(Leaving::ForLoad);
        try {
            loadExtensionFile(XMLDocument1, source);
        } catch (const RepairableError& refusal) {
            if (!MessageBoxes::offerRepair(
                    repairOffer(MessageBoxes::withFullStop(refusal.message()), refusal.repaired().repairs)))
                return;
            loadExtensionText(XMLDocument1, refusal.repaired().text, source);
        }
        problems_->setFile(fileName, true);
        update();
        savedState_.remember(fileName);
        SaveDialog1.FileName = fileName;
    });
}

QString TForm1::fileToOpen(const QString& fileName) {
    const QString copy = unfinishedWriteCopy(fileName);
    if (copy.isEmpty())
        return fileName;
    const QString offer =
        QStringLiteral("\"%1\": %2.\nOpen that copy instead?").arg(fileName, unfinishedWriteMessage(copy));
    return MessageBoxes::askYesOrNo(offer) ? copy : fileName;
}

void TForm1::FormDragDrop(const QList<QUrl>& Urls) {
    Application::runGuarded([this, &Urls] { openFile(droppedFile(Urls)); });
}

void TForm1::Button2Click() {
    saveDocument();
}

bool TForm1::saveDocument() {
    leavePageFor(Leaving::ForSave);
    if (PageControl1->currentIndex() != mainPage)
        return false;
    if (!SaveDialog1.Execute(this))
        return false;
    const QString fileName = SaveDialog1.FileName;
    if (savedState_.changedOnDisk(fileName) &&
        !MessageBoxes::askYesOrNo(QStringLiteral("\"%1\" changed on disk after it was loaded or saved here.\n"
                                                 "Do you want to replace it with this document?")
                                      .arg(fileName)))
        return false;
    const CursorOverride busy(Qt::WaitCursor);
    saveExtensionFile(XMLDocument1, fileName);
    problems_->setFile(fileName, takeLinesOfSavedFile(XMLDocument1, fileName));
    savedState_.remember(fileName);
    return true;
}

bool TForm1::mayDiscardChanges() {
    // A close or Load by key or by the window's frame leaves the focus where it is: a cell being typed
    // in would keep its text to itself.
    for (AttributeTable* table : {productAttributes, fileAttributes, rootAttributes})
        table->commitTyping();
    if (!hasUnsavedChanges())
        return true;
    const QString name = savedState_.fileName().isEmpty() ? QStringLiteral("the new extension")
                                                          : QFileInfo(savedState_.fileName()).fileName();
    switch (MessageBoxes::askToSaveChanges(name)) {
    case QMessageBox::Save: {
        bool saved = false;
        Application::runGuarded([this, &saved] { saved = saveDocument(); });
        return saved;
    }
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool TForm1::hasUnsavedChanges() const {
    return pageShowsUncommittedEdits() || savedState_.differs(XMLDocument1);
}

// Compares what the page shows with what it showed of the document, without storing anything: the
// page and its editors stay exactly as they are when the user then cancels.
bool TForm1::pageShowsUncommittedEdits() const {
    const QWidget* page = PageControl1->currentWidget();
    const auto memoEdited = [](const Memo* memo, const QString& shown) {
        return memo->isEnabled() && memo->text() != shown;
    };
    if (page == TabSheet5)
        return memoEdited(Memo1, shownDescription_) || memoEdited(Memo2, shownUiAccess_);
    if (page == TabSheet4)
        return Memo3->text() != shownConfiguration_;
    if (page == TabSheet6)
        return updateAddressEdit->text() != shownExtension_.updateAddress ||
               rootAttributes->attributes() != shownExtension_.attributes ||
               memoEdited(licenseMemo, shownExtension_.license);
    return productLines_->hasChanges() || fileLines_->hasChanges();
}

void TForm1::leavePageFor(Leaving reason) {
    leaving_ = reason;
    PageControl1->setCurrentIndex(mainPage);
    leaving_ = Leaving::ForAnotherPage;
}

void TForm1::Button3Click() {
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    Application::runGuarded([this, &mayClose] { mayClose = mayDiscardChanges(); });
    event->setAccepted(mayClose);
}

void TForm1::XMLDocument1AfterOpen() {
    PageControl1->setCurrentIndex(mainPage);
}

void TForm1::XMLDocument1AfterNodeChange(const XmlNode& Node) {
    savedState_.noteChange();
    problems_->documentChanged();
    // The refresh would set nothing while the Main page shows the document and the change cannot reach
    // what it shows; skipping it keeps large commits quick.
    if (mainPageShowsDocument_ && !changesMainPage(Node))
        return;
    update();
}

bool TForm1::changesMainPage(const XmlNode& changed) {
    if (changed.type() == NodeType::Document)
        return true;
    const XmlNode parent = changed.parent();
    if (!parent)
        return false;
    if (parent.type() == NodeType::Document)
        return true;
    const XmlNode grandparent = parent.parent();
    return changed.isElement(Mxi::Author) && grandparent && grandparent.type() == NodeType::Document;
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (firstShown_)
        return;
    firstShown_ = true;
    PageControl1->showActivePage();
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (childAt(position))
        return;
    Application::runGuarded([&] { FormMouseUp(event->button(), event->modifiers(), position); });
}

void TForm1::FormMouseUp(Qt::MouseButton, Qt::KeyboardModifiers shift, QPoint) {
    if (shift.testFlag(Qt::AltModifier))
        showDocumentView();
}

void TForm1::showDocumentView() {
    MessageBoxes::showText(QString::fromUtf8(savedText(XMLDocument1)));
}
