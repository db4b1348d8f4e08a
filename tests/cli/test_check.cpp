#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/QtPrinters.h"
#include "common/RunCli.h"

#include <gtest/gtest.h>

namespace {

// What --check prints about Text, saved as a.mxi beside the file a.js, and its exit status with --strict.
std::pair<QByteArray, int> checked(const QTemporaryDir& folder, const QByteArray& text) {
    QFile(folder.filePath("a.js")).open(QIODevice::WriteOnly);
    QFile file(folder.filePath("a.mxi"));
    file.open(QIODevice::WriteOnly);
    file.write(text);
    file.close();
    const Outcome outcome = runCli({"--check", "--strict", file.fileName()});
    return {QByteArray(outcome.errors).replace(QFile::encodeName(folder.path()), "DIR"), outcome.exitCode};
}

QByteArray extension(const QByteArray& body) {
    return "<macromedia-extension name=\"Tidy\" version=\"1.0.2\">\n" + body + "\n</macromedia-extension>\n";
}

TEST(Check, WarnsAboutEachRuleOnTheLineAtFault) {
    const struct {
        QByteArray text;
        QByteArray place;
        QByteArray words;
    } cases[] = {
        {"<macromedia-extension name=\"\" version=\"1\"/>", "1:1", "name is empty: give the extension a name"},
        {"<macromedia-extension name=\"Tidy\" version=\"1.0 beta\"/>", "1:1",
         "version '1.0 beta' should be numbers like 1.0.2"},
        {"<macromedia-extension name=\"Tidy\" version=\"1\" id=\"{AppID}\"/>", "1:1",
         "id '{AppID}' should be a reverse-DNS name like com.example.tidy"},
        {extension("<products>\n <product name='Photoshop' version='CS5'/></products>"), "3:2",
         "version 'CS5' should be numbers like 1.0.2"},
        {extension("<products>\n <product name='Fireworkz'/></products>"), "3:2",
         "product 'Fireworkz' is unknown to the Extension Manager: use one of dreamweaver, dreamweaverultradev, "},
        {extension("<products><product version='8'/></products>"), "2:11", "product without name"},
        {extension("<ui-access>" + QByteArray(513, 'u') + "</ui-access>"), "2:1",
         "ui-access is 513 characters long: shorten it to 512 at most"},
        {extension("<description/>\n\n<description/>"), "4:1",
         "a second description: the page shows only the first, on line 2; merge the two"},
        {extension("<files><file source='a.js' destination='$dw\\C/A.JS/'/></files>"), "2:8",
         "destination '$dw\\C/A.JS/' ends with the file's own name: give the folder only, '$dw\\C'"},
        {extension("<files>\n<file source='a.js' destination='d'/>\n<file source='a.js' destination='D/'/></files>"),
         "4:1", "source 'a.js' goes to 'D/' again: remove this copy; the first is on line 3"},
        {extension("<files><file source='a.js' destination='d' file-type='zip'/></files>"), "2:8",
         "file-type 'zip' should be csxs, plugin or ordinary"},
        {extension("<files><file source='a.js' destination='d' plateform='linux'/></files>"), "2:8",
         "plateform 'linux' should be win or mac, or left out for both"},
        {extension("<configuration-changes><menu-insert>\n<menuitem id='m'/></menu-insert><menu-insert>"
                   "<menuitem id='n'/><menuitem id='m'/></menu-insert></configuration-changes>"),
         "3:64", "menu item id 'm' is used again: give this menu item an id of its own; the first is on line 3"},
        {extension("<files>\n<file source='a.js' destination='\xc3\x89'/>\n<file source='a.js' "
                   "destination='\xc3\xa9/'/></files>"),
         "4:1", "source 'a.js' goes to '\xc3\xa9/' again: remove this copy; the first is on line 3"},
        {extension("<files><file source='a.js' destination='d'/><file name='b\\b.js' destination='d'/></files>"),
         "2:45", "name 'b\\b.js' is not found in DIR: correct the path or add the file"},
        {extension("\n<files><file source='b.js' destination='d'/><file source='c.js' destination='d'/></files>"),
         "3:1", "none of the 2 sources is found relative to DIR; checked from the wrong folder?"},
    };
    QTemporaryDir folder;
    for (const auto& c : cases) {
        const auto [output, exitCode] = checked(folder, c.text);
        const QByteArray start = "DIR/a.mxi:" + c.place + ": warning: " + c.words;
        EXPECT_EQ(output.left(start.size()), start) << c.text.constData();
        EXPECT_EQ(output.count('\n'), 1) << output.constData();
        EXPECT_EQ(exitCode, 1);
    }
}

TEST(Check, SaysNothingAboutWhatRealFilesDoOnPurpose) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("mac"));
    QFile(folder.filePath("mac/a.plugin")).open(QIODevice::WriteOnly);
    QFile(folder.filePath("panel.zxp")).open(QIODevice::WriteOnly);
    const auto [output, exitCode] = checked(folder, R"(<?xml version="1.0" encoding="UTF-8"?>
<macromedia-extension name="Tidy Panel" version="2.1.0b" type="Command" requires-restart="true" id="com.example.tidy_panel-2">
  <products>
    <product familyname="Photoshop" version="14.0" maxversion="14.9" primary="true"/>
    <product name="photoshop64" version="14"/>
    <product name="dreamweaverultradev" version="4" primary="false" required="true"/>
    <product name="AfterEffects"/>
  </products>
  <files>
    <file source="panel.zxp" destination="" file-type="CSXS"/>
    <file source="a.js" destination="$dreamweaver/Configuration/Commands" platform="WIN"/>
    <file source="a.js" destination="$dreamweaver/Configuration/Shared" plateform="mac" shared="true"/>
    <file source="a.js" destination="$dreamweaver/Configuration/Commands" platform="mac" plateform="Mac"/>
    <file source="mac\a.plugin" destination="$automate" file-type="Plugin"/>
  </files>
  <configuration-changes>
    <menu-insert appendTo="DWMenu_Commands"><menuitem id="Tidy_Run" name="Tidy"/></menu-insert>
    <menu-insert appendTo="DWContext"><menu id="Tidy_Menu" name="Tidy"/></menu-insert>
  </configuration-changes>
</macromedia-extension>
)");
    EXPECT_EQ(output, "");
    EXPECT_EQ(exitCode, 0);
}

} // namespace
