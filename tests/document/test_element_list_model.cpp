#include "document/FileListModel.h"
#include "document/Mxi.h"
#include "document/ProductListModel.h"

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const QByteArray products = R"(<products><!-- kept --><product name="Dreamweaver" version="6" primary="TRUE"/>text)"
                            R"(<product name="flash" version="5"><platform/></product><item/></products>)";

XmlNode listOf(XmlDocument& document, const QByteArray& list) {
    document.loadFromXml(list);
    return document.documentNode().firstChild();
}

TEST(ElementListModel, ShowsEveryElementAndCommitsNothingUntouched) {
    XmlDocument document;
    ProductListModel lines;
    lines.show(listOf(document, products));
    ASSERT_EQ(lines.rowCount(), 3);
    EXPECT_EQ(lines.index(0).data().toString(), "0--6");
    EXPECT_EQ(lines.index(2).data().toString(), "");
    EXPECT_EQ(lines.index(1).data(Qt::AccessibleTextRole).toString(), "Flash, version 5");
    EXPECT_EQ(lines.captionAt(0), "dreamweaver");
    lines.setFields(1, lines.fieldsAt(1));
    lines.commit(document, Mxi::Product, [] { return XmlNode(); });
    EXPECT_EQ(lines.rowCount(), 0);
    EXPECT_EQ(document.documentNode().firstChild().xml(), QString::fromUtf8(products));
}

TEST(ElementListModel, CommitsEditsInPlaceRemovalsAndAppendedLines) {
    XmlDocument document;
    const XmlNode list = listOf(document, products);
    ProductListModel lines;
    lines.show(list);
    lines.setFields(1, {2, false, false, "8"});
    lines.removeRows(2, 1);
    lines.append({0, false, false, "5"});
    lines.commit(document, Mxi::Product, [&] { return list; });
    EXPECT_EQ(list.xml(), R"(<products><!-- kept --><product name="Dreamweaver" version="6" primary="TRUE"/>text)"
                          R"(<product name="flash" version="8"><platform/></product>)"
                          R"(<product name="dreamweaver" primary="false" version="5"/></products>)");
}

TEST(ElementListModel, AppendedLinesNeedAListToGoInto) {
    XmlDocument document;
    document.loadFromXml("<macromedia-extension/>");
    FileListModel lines;
    lines.show(Mxi::listElement(document, Mxi::Files, false));
    EXPECT_EQ(lines.rowCount(), 0);
    lines.append(FileLine::newLine());
    EXPECT_EQ(lines.index(0).data(Qt::AccessibleTextRole).toString(), "Select source to Select destination");
    lines.commit(document, Mxi::File, [&] { return Mxi::listElement(document, Mxi::Files, true); });
    EXPECT_EQ(Mxi::findRoot(document).xml(), "<macromedia-extension><files><file source=\"Select source\" "
                                             "destination=\"Select destination\"/></files></macromedia-extension>");
}

} // namespace
