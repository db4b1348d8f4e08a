#include "common/WindowFixture.h"

#include "window/controls/AttributeTable.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/Memo.h"

#include <QTest>

namespace {

constexpr int MorePage = 5;

const QByteArray rootStart = R"(<macromedia-extension name="n" version="1" type="command" requires-restart="true")";

class MorePageTest : public WindowTest {
protected:
    void loadExtension(const QByteArray& attributes, const QByteArray& content) {
        load(writeFile(rootStart + attributes + ">" + content + "</macromedia-extension>"));
        ASSERT_TRUE(messages.isEmpty()) << messageTexts().join('\n').toStdString();
    }
};

// Each control shows the file's value; an edit writes only its own attribute or element, and an
// absent element is added only for a text typed.
TEST_F(MorePageTest, ShowsAndWritesTheIdUpdateAddressLicenseAndOtherRootAttributes) {
    const QByteArray attributes = R"( id="com.x" date="2020")";
    const QByteArray content = R"(<license-agreement><![CDATA[Terms]]></license-agreement><update url="http://a"/>)";
    loadExtension(attributes, content);
    clickTab(Page(MorePage));
    EXPECT_EQ(QStringList({form->extensionIdEdit->text(), form->updateAddressEdit->text(), form->licenseMemo->text(),
                           form->rootAttributes->item(0, 0)->text(), form->rootAttributes->item(0, 1)->text()}),
              QStringList({"com.x", "http://a", "Terms", "date", "2020"}));

    const struct {
        const char* what;
        QByteArray attributes;
        QByteArray content;
        std::function<void()> edit;
        QByteArray written;
    } cases[] = {
        {"a visit", attributes, content, [] {}, ""},
        {"an id", attributes, content, [this] { typeOver(form->extensionIdEdit, "com.y"); },
         R"( id="com.y" date="2020">)"},
        {"an emptied id", attributes, content, [this] { typeOver(form->extensionIdEdit, ""); }, R"( date="2020">)"},
        {"an id emptied and typed again", attributes, content,
         [this] { typeOver(form->extensionIdEdit, ""), typeOver(form->extensionIdEdit, "com.x"); }, ""},
        {"an attribute the Main page shows", "", "", [this] { typeInCell(form->rootAttributes, 0, 0, "name"); }, ""},
        {"an update address", attributes, content, [this] { typeOver(form->updateAddressEdit, "http://b"); },
         R"(<update url="http://b"/>)"},
        {"a license", attributes, content, [this] { typeOver(form->licenseMemo, "New"); },
         "<![CDATA[New]]></license-agreement>"},
        {"an update address for a file without", "", "", [this] { typeOver(form->updateAddressEdit, "http://b"); },
         R"(<update url="http://b"/></macromedia-extension>)"},
        {"a license for a file without", "", "", [this] { typeOver(form->licenseMemo, "L"); },
         "<license-agreement><![CDATA[L]]></license-agreement></macromedia-extension>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        loadExtension(c.attributes, c.content);
        const QString loaded = form->XMLDocument1.xml();
        clickTab(Page(MorePage));
        c.edit();
        clickTab(MainPage);
        const QString saved = form->XMLDocument1.xml();
        if (c.written.isEmpty())
            EXPECT_EQ(saved, loaded);
        else
            EXPECT_TRUE(saved.contains(QString::fromUtf8(c.written))) << saved.toStdString();
    }
}

} // namespace
