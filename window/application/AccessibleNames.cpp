#include "window/application/AccessibleNames.h"

#include "window/controls/AttributeTable.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/PageControl.h"
#include "window/forms/Unit1.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace AccessibleNames {

namespace {

struct Entry {
    QWidget* control;
    const char* name;
    const char* description;
};

// Screen readers announce a window when it is entered by its role, which Qt gives only to dialogs and
// main windows: a plain widget shown as a window would be read as a mere pane.
QAccessibleInterface* topLevelWindow(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (className != QLatin1String("QWidget") || !widget || !widget->isWindow())
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

void apply(TForm1& w) {
    static const bool windowsAnnounced = (QAccessible::installFactory(topLevelWindow), true);
    Q_UNUSED(windowsAnnounced);
    const Entry entries[] = {
        {w.PageControl1, "Pages", ""},
        {w.TabSheet1, "Main", ""},
        {w.TabSheet5, "Description", ""},
        {w.TabSheet2, "Products", ""},
        {w.TabSheet3, "Files", ""},
        {w.TabSheet4, "Configuration changes", ""},
        {w.Button1, "Load", "Opens an extension installation file for editing"},
        {w.Button2, "Save", "Writes the extension installation file"},
        {w.Button3, "Close", "Ends the program, asking first whether to save unsaved changes"},

        {w.Image1, "Macromedia logo", "A link: opens Macromedia's home page"},
        {w.Label2, "Parcelwright", ""},
        {w.Label14, "Program version", ""},
        {w.LabeledEdit1, "Name", "The extension's name"},
        {w.LabeledEdit2, "Version", "The extension's version"},
        {w.LabeledEdit3, "Author", "The extension's author"},
        {w.CheckBox1, "Requires restart", "Whether the product must restart after installing the extension"},
        {w.ComboBox1, "Type", "The extension's type; headings group the types by product"},
        {w.Label3, "Credit", "A link: opens the program's README"},

        {w.Memo1, "Description", "The extension's description"},
        {w.Memo2, "UI-Access", "How users reach the extension in the product"},

        {w.ComboBoxEx1, "Product", "The product of the selected line"},
        {w.CheckBox2, "primary", "Whether the selected product is the primary one"},
        {w.CheckBox3, "required", "Whether the selected product is required"},
        {w.LabeledEdit4, "Product version", "The version of the selected product"},
        {w.Button4, "Add product", "Adds an empty line at the end of the products"},
        {w.Button5, "Remove product", "Removes the selected product line"},
        {w.ListBox1, "Products", "The products the extension is for; select a line to edit it above"},
        {w.familyNameBox, "familyname", "Whether the selected product is named by its family name"},
        {w.highestVersionEdit, "Highest version", "The highest version of the selected product to install into"},
        {w.productAttributes, "Other attributes",
         "The selected product's other attributes; type a name in the last row to add one, Delete removes one"},

        {w.Edit1, "File", "The source file of the selected line"},
        {w.Button6, "Browse for the file", "Chooses the source file in a file dialog"},
        {w.Edit2, "Destination", "The folder the selected file is installed into"},
        {w.CheckBox4, "Shared", "Whether the selected file is shared"},
        {w.CheckBox5, "System", "Whether the selected file is a system file"},
        {w.ComboBoxEx2, "Plateform", "The platforms the selected file is installed on"},
        {w.Button7, "Add file", "Adds an empty line at the end of the files"},
        {w.Button8, "Remove file", "Removes the selected file line"},
        {w.fileTypeBox, "File type", "File type: how the Extension Manager installs the selected file"},
        {w.fileProductsEdit, "File products", "The products the selected file installs for, separated by commas"},
        {w.minVersionEdit, "Minimum product version", "The lowest product version the selected file installs for"},
        {w.maxVersionEdit, "Maximum product version", "The highest product version the selected file installs for"},
        {w.ListBox2, "Files", "The files to install; select a line to edit it above"},
        {w.fileAttributes, "Other attributes",
         "The selected file's other attributes; type a name in the last row to add one, Delete removes one"},
        {w.Label4, "Standard destination folder", "A link: shows the table of standard destination folders"},
        {w.Label5, "Flash standard destination folder",
         "A link: shows the table of the destinations of Macromedia Flash extension types"},

        {w.Memo3, "Configuration changes", "The configuration changes as XML"},
        {w.Label13, "The Extension Installation File Format",
         "A link: opens the document that describes the file format"},

        {w.TabSheet6, "More", ""},
        {w.extensionIdEdit, "Extension id", "The extension's unique id, as in com.example.panel"},
        {w.updateAddressEdit, "Update address", "The web address the Extension Manager looks for updates at"},
        {w.licenseMemo, "License agreement", "The license the user accepts when installing the extension"},
        {w.rootAttributes, "Other attributes",
         "The extension's other attributes; type a name in the last row to add one, Delete removes one"},
    };
    for (const Entry& entry : entries) {
        entry.control->setAccessibleName(QString::fromUtf8(entry.name));
        entry.control->setAccessibleDescription(QString::fromUtf8(entry.description));
        // A drop-down list's opened rows are read under the list's own name.
        if (auto* list = qobject_cast<QComboBox*>(entry.control))
            list->view()->setAccessibleName(QString::fromUtf8(entry.name));
    }
}

} // namespace AccessibleNames
