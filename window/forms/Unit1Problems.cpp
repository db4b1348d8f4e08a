#include "window/forms/Unit1.h"

#include "document/DocumentProblems.h"
#include "document/FileListModel.h"
#include "document/Mxi.h"
#include "document/ProductListModel.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/PageControl.h"
#include "window/controls/ProblemsIndicator.h"
#include "window/forms/ProblemsWindow.h"

#include <QKeySequence>

namespace {

enum PageIndex {
    MainPage = 0,
    DescriptionPage = 1,
    ProductsPage = 2,
    FilesPage = 3,
    ConfigurationPage = 4,
    MorePage = 5
};

// The child of the root that holds element, the root itself, or a null handle outside the extension.
XmlNode sectionOf(XmlNode element, const XmlNode& root) {
    while (element && element != root && element.parent() != root)
        element = element.parent();
    return element;
}

// The line of the page's list that shows element, or -1 when the list does not show it.
int lineOf(const XmlNode& element, const XmlNode& list) {
    if (!list || element.parent() != list)
        return -1;
    int line = 0;
    for (XmlNode node = list.firstChild(); node && node != element; node = node.nextSibling())
        line += node.type() == NodeType::Element ? 1 : 0;
    return line;
}

void focusField(LabeledEdit* field) {
    field->setFocus();
    field->selectAll();
}

void selectLine(ListBox* list, int line) {
    if (line >= 0 && line < list->model()->rowCount()) {
        const QModelIndex index = list->model()->index(line, 0);
        list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        list->scrollTo(index);
    }
    list->setFocus();
}

} // namespace

void TForm1::buildProblems() {
    ProblemsIndicator1 = new ProblemsIndicator(this, QRect(8, 312, 216, 25));
    problems_ = new DocumentProblems(XMLDocument1, this);
    problemsWindow_ = new ProblemsWindow(
        *problems_, [this](const ExtensionFindings::Finding& finding) { showFinding(finding); }, this);
    problems_->OnChanged = [this] {
        ProblemsIndicator1->showCount(problems_->findings().size());
        problemsWindow_->showFindings();
        // The lines' marks follow.
        ListBox1->viewport()->update();
        ListBox2->viewport()->update();
    };
    problems_->followLines(*productLines_, Mxi::Products, Mxi::Product);
    problems_->followLines(*fileLines_, Mxi::Files, Mxi::File);
    // The ui-access text counts as its box shows it until the page is left.
    QObject::connect(Memo2, &QPlainTextEdit::textChanged, this, [this] {
        if (PageControl1->currentWidget() == TabSheet5 && Memo2->isEnabled())
            problems_->showText(Mxi::UiAccess, Memo2->text());
    });
    QObject::connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (PageControl1->currentWidget() != TabSheet5)
            problems_->showText(Mxi::UiAccess, std::nullopt);
    });
    on(ProblemsIndicator1, &QPushButton::clicked, &TForm1::showProblems);
    addShortcut(QKeySequence(Qt::Key_F8), &TForm1::showProblems);
}

void TForm1::showProblems() {
    problemsWindow_->showBeside(this);
}

// Where the finding's element is edited: its page, with its list line selected or its field focused.
void TForm1::showFinding(const ExtensionFindings::Finding& finding) {
    const XmlNode root = Mxi::findRoot(XMLDocument1);
    const XmlNode section = sectionOf(finding.element, root);
    // Outside the document, the element is the one a page would write for what it shows.
    const QString name = !section ? finding.element.name() : section != root ? section.name() : QString();
    // Found before the page changes: leaving a page may rewrite its part of the document.
    const int line = lineOf(finding.element, root.findChild(name));
    const auto showPage = [this](int page) {
        PageControl1->setCurrentIndex(page);
        return PageControl1->currentIndex() == page;
    };
    activateWindow();
    raise();
    // A line of the page on screen, its edits included, is found in the page's own list.
    for (const auto& [lines, list] : {std::pair<const ElementLines*, ListBox*>(productLines_, ListBox1),
                                      std::pair<const ElementLines*, ListBox*>(fileLines_, ListBox2)}) {
        if (const int row = problems_->rowOf(*lines, finding.element); row >= 0)
            return selectLine(list, row);
    }
    if (name == Mxi::Description || name == Mxi::UiAccess) {
        if (showPage(DescriptionPage))
            (name == Mxi::Description ? Memo1 : Memo2)->setFocus();
    } else if (name == Mxi::Products) {
        if (showPage(ProductsPage))
            selectLine(ListBox1, line);
    } else if (name == Mxi::Files) {
        if (showPage(FilesPage))
            selectLine(ListBox2, line);
    } else if (name == Mxi::ConfigurationChanges) {
        if (showPage(ConfigurationPage))
            Memo3->setFocus();
    } else if (finding.message.startsWith(Mxi::Id + ' ')) {
        if (showPage(MorePage))
            focusField(extensionIdEdit);
    } else if (showPage(MainPage)) {
        // The root's findings begin with the attribute at fault.
        LabeledEdit* field = name == Mxi::Author                              ? LabeledEdit3
                             : finding.message.startsWith(Mxi::Version + ' ') ? LabeledEdit2
                                                                              : LabeledEdit1;
        focusField(field);
    }
}
