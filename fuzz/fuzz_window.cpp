// Any input the window loads survives a visit of every page and a Save: the saved file loads again
// into the same document.

#include "document/ExtensionFile.h"
#include "window/application/Application.h"
#include "window/controls/PageControl.h"
#include "window/dialogs/MessageBoxes.h"
#include "window/forms/Unit1.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QList<MessageBoxes::Message> messages;

QString withLineFeeds(QString text) {
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
}

// The document as a text in which what a save and a reload may change does not show: neighbouring text
// nodes, and neighbouring CDATA sections, read back as one; text of white space only is dropped; line
// breaks are written as CR LF and read back as LF; text beside other nodes gains the layout.
void describe(const XmlNode& node, QString& out) {
    out += QString::number(int(node.type())) + ' ' + node.name();
    for (const Attribute& attribute : node.attributes())
        out += ' ' + attribute.first + "=[" + attribute.second + ']';
    out += '[' + withLineFeeds(node.value()) + "]{";
    const QList<XmlNode> children = node.children();
    for (qsizetype i = 0; i < children.size(); ++i) {
        const NodeType type = children[i].type();
        if (type != NodeType::Text && type != NodeType::CData) {
            describe(children[i], out);
            continue;
        }
        QString run = children[i].value();
        while (i + 1 < children.size() && children[i + 1].type() == type)
            run += children[++i].value();
        run = withLineFeeds(run);
        if (type == NodeType::Text)
            run = run.trimmed();
        if (type == NodeType::CData || !run.isEmpty())
            out += QString::number(int(type)) + '[' + run + ']';
    }
    out += '}';
}

QString description(const XmlDocument& document) {
    QString out;
    if (const auto declaration = document.declaration())
        out += declaration->version + QString::number(declaration->standalone.value_or(-1)) + '\n';
    describe(document.documentNode(), out);
    return out;
}

} // namespace

// Fontconfig keeps its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static Application application(*argc, *argv);
    MessageBoxes::recordInto(&messages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    const QString input = folder.filePath(QStringLiteral("input.mxi"));
    const QString saved = folder.filePath(QStringLiteral("saved.mxi"));
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();
    QFile::remove(saved);
    messages.clear();

    TForm1 form;
    form.show();
    form.OpenDialog1.scriptAnswer(input);
    form.Button1->click();
    if (!messages.isEmpty())
        return 0; // refused with a message
    for (int page : {1, 2, 3, 4, 0})
        form.PageControl1->setCurrentIndex(page);
    form.SaveDialog1.scriptAnswer(saved);
    form.Button2->click();
    if (!QFile::exists(saved))
        return 0; // a page or Save refused with a message

    XmlDocument reloaded;
    loadExtensionFile(reloaded, saved);
    if (description(reloaded) != description(form.XMLDocument1)) {
        qWarning("Saved and reloaded document differs:\n%s\n----\n%s", qPrintable(description(form.XMLDocument1)),
                 qPrintable(description(reloaded)));
        std::abort();
    }
    return 0;
}
