#pragma once

#include "document/ElementListModel.h"
#include "document/FileLine.h"

// The Files page's lines over the element children of files.
class FileListModel : public ElementListModel<FileLine> {
public:
    using ElementListModel::ElementListModel;

private:
    QString lineText(const FileLine& line) const override;
    QString spokenText(int row) const override;
    FileLine read(const XmlNode& element) const override;
    void writeNew(XmlNode element, const FileLine& line) const override;
    void writeChanges(XmlNode element, const FileLine& before, const FileLine& after) const override;
};
