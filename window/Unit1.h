#pragma once

#include "document/XmlDocument.h"
#include "window/Dialogs.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class LabeledEdit;
class PageControl;

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
    bool SkeletonBuilt = false;

    void FormCreate();
    // Copies the root's values into the Main page. Hides QWidget::update(), which this class never uses.
    void update();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void XMLDocument1AfterOpen();
    void XMLDocument1AfterNodeChange();

    // Main page.
    LabeledEdit* LabeledEdit1;
    LabeledEdit* LabeledEdit3;
    LabeledEdit* LabeledEdit2;
    QCheckBox* CheckBox1;
    QLabel* Label1;
    QComboBox* ComboBox1;

    void LabeledEdit1Change();
    void LabeledEdit2Change();
    void LabeledEdit3Change();
    void CheckBox1Click();
    void ComboBox1Change();
    void TabSheet1Show();

    // Description page.
    QLabel* Label9;
    QPlainTextEdit* Memo1;
    QLabel* Label10;
    QPlainTextEdit* Memo2;

    void TabSheet5Show();
    void TabSheet5Hide();

    // Products page.
    void TabSheet2Show();
    void TabSheet2Hide();

    // Files page.
    void TabSheet3Show();
    void TabSheet3Hide();

    // Configuration changes page.
    QLabel* Label11;
    QPlainTextEdit* Memo3;
    QLabel* Label12;

    void TabSheet4Show();
    void TabSheet4Hide();

protected:
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildFrame();
    void buildMainPage();
    void buildDescriptionPage();
    void buildProductsPage();
    void buildFilesPage();
    void buildConfigurationPage();
    void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);

    // Connects a signal to a handler of this window; an error in the handler is reported.
    template <typename Sender, typename Signal> void on(Sender* sender, Signal signal, void (TForm1::*handler)());

    bool firstShown_ = false;
    // Set while Load leaves the current page: the loaded file replaces whatever the page holds.
    bool loading_ = false;
};

#include "window/Application.h"

template <typename Sender, typename Signal>
void TForm1::on(Sender* sender, Signal signal, void (TForm1::*handler)()) {
    QObject::connect(sender, signal, this, [this, handler] { Application::runGuarded([this, handler] { (this->*handler)(); }); });
}
