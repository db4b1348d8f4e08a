#pragma once

#include <QByteArray>

// An extension with fileCount files, all with a source, a destination and the shared flag.
inline QByteArray generatedExtension(int fileCount) {
    QByteArray text = "<macromedia-extension name=\"Large\" version=\"1.0\" type=\"command\" requires-restart=\"true\">"
                      "<description><![CDATA[A large extension]]></description><products>"
                      "<product name=\"dreamweaver\" primary=\"true\" version=\"6\"/></products>"
                      "<author name=\"Bench\"/><files>";
    for (int i = 0; i < fileCount; ++i) {
        text += "<file source=\"Commands/command" + QByteArray::number(i) +
                ".js\" destination=\"$dreamweaver/Configuration/Commands\" shared=\"true\"/>";
    }
    return text + "</files><configuration-changes/></macromedia-extension>";
}
