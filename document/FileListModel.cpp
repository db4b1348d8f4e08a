#include "document/FileListModel.h"

#include "document/FileElement.h"

QString FileListModel::lineText(const FileLine& line) const {
    return line.text();
}

QString FileListModel::spokenText(int row) const {
    return spokenFile(fieldsAt(row));
}

FileLine FileListModel::read(const XmlNode& element) const {
    return readFileLine(element);
}

void FileListModel::writeNew(XmlNode element, const FileLine& line) const {
    writeNewFile(element, line);
}

void FileListModel::writeChanges(XmlNode element, const FileLine& before, const FileLine& after) const {
    updateFile(element, before, after);
}
