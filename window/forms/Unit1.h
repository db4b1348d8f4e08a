#pragma once

#include "document/DocumentState.h"
#include "document/xml/XmlDocument.h"
#include "window/dialogs/Dialogs.h"
#include "window/pictures/ImageList.h"
// Included, not declared: users of the window reach the lists and links as the widgets they are.
#include "window/controls/LinkLabel.h"
#include "window/controls/ListBox.h"
#include "window/controls/Memo.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QKeySequence;
class QLabel;
class QLineEdit;
class QPushButton;
class QUrl;
class LabeledEdit;
class ProductListModel;
class FileListModel;
class PageControl;
class DocumentProblems;
class ProblemsIndicator;
class ProblemsWindow;
namespace ExtensionFindings {
struct Finding;
}
class AttributeTable;
struct FileLine;
struct ProductFields;
template <typename Fields> class LineEditors;

// The main window: five pages over the one extension document, and Load, Save, Close.
class TForm1 : public QWidget {
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Window and document.
    PageControl* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet5;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QWidget* TabSheet4;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    XmlDocument XMLDocument1;
    FileDialog OpenDialog1;
    FileDialog SaveDialog1;
    FileDialog OpenDialog2;
    ImageList ImageList1;
    ImageList ImageList2;
    ImageList ImageList3;
    bool SkeletonBuilt = false;

    void FormCreate();
    // Copies the root's values into the Main page. Hides QWidget::update(), which this class never uses.
    void update();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void XMLDocument1AfterOpen();
    void XMLDocument1AfterNodeChange(const XmlNode& Node);
    // Load's work once a file is chosen: by its dialog, on the command line or by a drop.
    // A file that cannot be loaded is reported and the document stays.
    void openFile(const QString& fileName);
    // Loads the one local file dropped onto the window; refuses anything else with a message.
    void FormDragDrop(const QList<QUrl>& Urls);
    // Asks whether to save the document before its unsaved changes would be lost; true where the work
    // may go on: the changes were saved or discarded, or there were none.
    bool mayDiscardChanges();

    // Main page.
    LinkLabel* Image1;
    QLabel* Label2;
    QLabel* Label14;
    LabeledEdit* LabeledEdit1;
    LabeledEdit* LabeledEdit3;
    LabeledEdit* LabeledEdit2;
    QCheckBox* CheckBox1;
    QLabel* Label1;
    QComboBox* ComboBox1;
    QLabel* Label15;
    QLabel* Label16;
    LinkLabel* Label3;
    // Reads the running program's own version information; owned by the window.
    class TVersionInfoReader* VersionInfoReader1;

    void LabeledEdit1Change();
    void LabeledEdit2Change();
    void LabeledEdit3Change();
    void CheckBox1Click();
    void ComboBox1Change();
    // Paints row Index of the type list into Rect, in the opened list and in the closed field.
    void ComboBox1DrawItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected);
    void TabSheet1Show();
    void Image1Click();
    void Label3Click();

    // Description page.
    QLabel* Label9;
    Memo* Memo1;
    QLabel* Label10;
    Memo* Memo2;

    void TabSheet5Show();
    void TabSheet5Hide();
    // Shows in memo the text of the root's child element named name, and returns the text shown.
    QString showElementText(Memo* memo, const QString& name);
    // Writes memo's text into that element when the user changed it from shown.
    void storeElementText(Memo* memo, const QString& name, const QString& shown);

    // Products page.
    QComboBox* ComboBoxEx1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    LabeledEdit* LabeledEdit4;
    QPushButton* Button4;
    QPushButton* Button5;
    ListBox* ListBox1;
    // Whether the selected product is named by familyname, and its highest version.
    QCheckBox* familyNameBox;
    QLabel* highestVersionLabel;
    QLineEdit* highestVersionEdit;
    // The selected line's attributes that no other editor shows.
    AttributeTable* productAttributes;

    void TabSheet2Show();
    void TabSheet2Hide();
    void ListBox1Click();
    // Each editor's change writes its field of the selected line.
    void ComboBoxEx1Change();
    void CheckBox2Click();
    void CheckBox3Click();
    void LabeledEdit4Change();
    void Button4Click();
    void Button5Click();
    void ListBox1DrawItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected);

    // Files page.
    QLabel* Label6;
    QLineEdit* Edit1;
    QPushButton* Button6;
    QLabel* Label7;
    QLineEdit* Edit2;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    QLabel* Label8;
    QComboBox* ComboBoxEx2;
    QPushButton* Button7;
    QPushButton* Button8;
    ListBox* ListBox2;
    LinkLabel* Label4;
    LinkLabel* Label5;
    // The selected line's file type, the products it installs for and their version range.
    QLabel* fileTypeLabel;
    QComboBox* fileTypeBox;
    QLabel* fileProductsLabel;
    QLineEdit* fileProductsEdit;
    QLabel* fileVersionsLabel;
    QLineEdit* minVersionEdit;
    QLineEdit* maxVersionEdit;
    // The selected line's attributes that no other editor shows.
    AttributeTable* fileAttributes;
    // The folder-name help windows, set by the program's entry point; not owned.
    class TForm2* Form2 = nullptr;
    class TForm3* Form3 = nullptr;

    void TabSheet3Show();
    void TabSheet3Hide();
    // Paints line Index of ListBox2 into Rect; Canvas holds the item's colours and font.
    void ListBox2DrawItem(QPainter& Canvas, int Index, const QRect& Rect);
    void ListBox2Click();
    // Each editor's change goes to StoreFileLine with the selected line.
    void Edit1Change();
    void Edit2Change();
    void CheckBox4Click();
    void CheckBox5Click();
    void ComboBoxEx2Click();
    // Writes what Editor shows into its field of line Index; with no line selected (-1) nothing changes.
    void StoreFileLine(int Index, QWidget* Editor);
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Label4Click();
    void Label5Click();

    // Configuration changes page.
    QLabel* Label11;
    Memo* Memo3;
    QLabel* Label12;
    LinkLabel* Label13;

    void TabSheet4Show();
    void TabSheet4Hide();
    void Label13Click();

    // Problems: the count beside the buttons and the list that F8 opens.
    ProblemsIndicator* ProblemsIndicator1;

    void showProblems();
    // Shows the page where the finding's element is edited, with its line selected or its field focused.
    void showFinding(const ExtensionFindings::Finding& finding);
    // More page: what the extension carries beyond the Main page. Shown, then written when left.
    QWidget* TabSheet6;
    LabeledEdit* extensionIdEdit;
    LabeledEdit* updateAddressEdit;
    QLabel* licenseLabel;
    Memo* licenseMemo;
    QLabel* rootAttributesLabel;
    // The root's attributes that no page shows elsewhere.
    AttributeTable* rootAttributes;

    void TabSheet6Show();
    void TabSheet6Hide();
    void extensionIdEdited();

private:
    // The texts the Description page's boxes showed: a box left as shown writes nothing.
    QString shownDescription_;
    QString shownUiAccess_;
    // What the More page showed: only what the user changed there is written.
    struct ShownExtension {
        QString id;
        bool idPresent = false;
        QString updateAddress;
        QString license;
        QList<Attribute> attributes;
    } shownExtension_;
    // Text of Memo3 that did not parse, and where the parser stopped in it; the next show of the page
    // puts it back with the cursor there.
    struct RejectedText {
        QString text;
        int errorPosition;
    };
    std::optional<RejectedText> rejectedConfiguration_;
    // The text Memo3 showed of the document: a text left as shown writes nothing.
    QString shownConfiguration_;
    // The lines of ListBox1 and ListBox2, views of the products and files elements while their page is shown.
    ProductListModel* productLines_ = nullptr;
    FileListModel* fileLines_ = nullptr;
    DocumentProblems* problems_ = nullptr;
    ProblemsWindow* problemsWindow_ = nullptr;
    // The editors of the selected line of each list.
    LineEditors<ProductFields>* productEditors_ = nullptr;
    LineEditors<FileLine>* fileEditors_ = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    // Closing by Close, Ctrl+Q or the desktop's close request asks before unsaved changes go.
    void closeEvent(QCloseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildFrame();
    void buildButtons();
    void buildMainPage();
    void buildDescriptionPage();
    void buildProductsPage();
    void buildFilesPage();
    void buildConfigurationPage();
    void buildProblems();
    void buildMorePage();
    void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);
    // Shows the document as Save would write it.
    void showDocumentView();
    void addShortcut(const QKeySequence& keys, void (TForm1::*handler)(), QPushButton* button = nullptr);

    // Connects a signal to a handler of this window; an error in the handler is reported.
    template <typename Sender, typename Signal> void on(Sender* sender, Signal signal, void (TForm1::*handler)());

    // Whether a change of this node can reach the Main page, which shows the root and its author.
    static bool changesMainPage(const XmlNode& changed);

    // Why the current page is being left; the Configuration changes page tells the user what a text
    // it cannot store stops.
    enum class Leaving { ForAnotherPage, ForLoad, ForSave };
    // Makes the Main page current, so that the page being left stores what it shows.
    void leavePageFor(Leaving reason);

    // Save's work; true when the file was written.
    bool saveDocument();
    // The file to load for FileName: the copy an unfinished write left beside it, where the user prefers it.
    QString fileToOpen(const QString& fileName);
    // Whether the document, with the edits of the page on screen, differs from what was last built,
    // loaded or saved.
    bool hasUnsavedChanges() const;
    // Whether the page on screen shows edits that it has not yet stored into the document.
    bool pageShowsUncommittedEdits() const;
    DocumentState savedState_;

    bool firstShown_ = false;
    // True while the Main page's controls show the document's values, after every refresh.
    bool mainPageShowsDocument_ = false;
    Leaving leaving_ = Leaving::ForAnotherPage;
};

#include "window/application/Application.h"

template <typename Sender, typename Signal> void TForm1::on(Sender* sender, Signal signal, void (TForm1::*handler)()) {
    QObject::connect(sender, signal, this,
                     [this, handler] { Application::runGuarded([this, handler] { (this->*handler)(); }); });
}
