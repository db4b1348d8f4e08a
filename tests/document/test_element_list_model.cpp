#include "document/FileListModel.h"
#include "document/Mxi.h"
#include "document/ProductListModel.h"

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(ElementListModel, CommitsOnlyEditsRemovalsAndAppendedLines) {
    XmlDocument document;
    document.loadFromXml(R"(<products><!-- c --><product name="Dreamweaver" version="6" primary="TRUE"/>text)"
                         R"(<product name="flash" version="5"><platform/></product><item/></products>)");
    const XmlNode list = document.documentNode().firstChild();
    ProductListModel lines;
    lines.show(list);
    ASSERT_EQ(lines.rowCount(), 3);
    EXPECT_EQ(lines.index(0).data().toString(), "0--6");
    EXPECT_EQ(lines.index(1).data(Qt::AccessibleTextRole).toString(), "Flash, version 5");
    EXPECT_EQ(lines.captionAt(0), "dreamweaver");
    lines.setFields(0, lines.fieldsAt(0));
    lines.setFields(1, {2, false, false, "8"});
    lines.removeRows(2, 1);
    lines.append({0, false, false, "5"});
    lines.commit(document, Mxi::Product, [&] { return list; });
    EXPECT_EQ(lines.rowCount(), 0);
    EXPECT_EQ(list.xml(), R"(<products><!-- c --><product name="Dreamweaver" version="6" primary="TRUE"/>text)"
                          R"(<product name="flash" version="8"><platform/></product>)"
                          R"(<product name="dreamweaver" primary="false" version="5"/></products>)");
}

TEST(ElementListModel, AppendedLinesGoIntoAListMadeForThem) {
    XmlDocument document;
    document.loadFromXml("<macromedia-extension/>");
    FileListModel lines;
    lines.show(Mxi::listElement(document, Mxi::Files, false));
    lines.append(FileLine::newLine());
    lines.commit(document, Mxi::File, [&] { return Mxi::listElement(document, Mxi::Files, true); });
    EXPECT_EQ(Mxi::findRoot(document).xml(), "<macromedia-extension><files><file source=\"Select source\" "
                                             "destination=\"Select destination\"/></files></macromedia-extension>");
}

} // namespace
