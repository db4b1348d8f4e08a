#include "window/controls/LabeledEdit.h"

#include <limits>

namespace {

constexpr int captionHeight = 13;
constexpr int captionSpacing = 3;

} // namespace

void keepAnyLength(QLineEdit* edit) {
    edit->setMaxLength(std::numeric_limits<int>::max());
}

LabeledEdit::LabeledEdit(const QString& caption, QWidget* parent)
    : QLineEdit(parent), EditLabel(new QLabel(caption, parent)) {
    EditLabel->setBuddy(this);
    keepAnyLength(this);
}

void LabeledEdit::place(int left, int top, int width, int height) {
    setGeometry(left, top, width, height);
    EditLabel->adjustSize();
    EditLabel->setGeometry(left, top - captionSpacing - captionHeight, EditLabel->width(), captionHeight);
}
