#include "document/DocumentState.h"
#include "document/Mxi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/Files.h"
#include "common/QtPrinters.h"

#include <gtest/gtest.h>

TEST(DocumentState, DiffersByContentAndSeesItsFileChangeOnDisk) {
    XmlDocument document;
    document.loadFromXml("<macromedia-extension name='a'/>");
    QTemporaryDir temporary;
    const QDir folder(temporary.path());
    const QString file = folder.filePath("x.mxi"), link = folder.filePath("link.mxi");
    writeBytes(file, "x");
    ASSERT_TRUE(QFile::link(file, link));
    DocumentState state;
    state.remember(document, file);
    XmlNode root = Mxi::findRoot(document);
    EXPECT_EQ(std::pair(state.differs(document), state.changedOnDisk(link)), std::pair(false, false));
    root.setAttribute("name", "b");
    EXPECT_TRUE(state.differs(document));
    root.setAttribute("name", "a");
    EXPECT_FALSE(state.differs(document));

    writeBytes(file, "changed");
    EXPECT_EQ(std::tuple(state.changedOnDisk(file), state.changedOnDisk(link),
                         state.changedOnDisk(folder.filePath("other.mxi"))),
              std::tuple(true, true, false));
    QFile::remove(file);
    EXPECT_FALSE(state.changedOnDisk(file)) << "nothing there to lose";
}
