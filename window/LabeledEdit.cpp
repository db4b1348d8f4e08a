#include "window/LabeledEdit.h"

namespace {

constexpr int captionHeight = 13;
constexpr int captionSpacing = 3;

} // namespace

LabeledEdit::LabeledEdit(const QString& caption, QWidget* parent)
    : QLineEdit(parent), EditLabel(new QLabel(caption, parent)) {
    EditLabel->setBuddy(this);
}

void LabeledEdit::place(int left, int top, int width, int height) {
    setGeometry(left, top, width, height);
    EditLabel->adjustSize();
    EditLabel->setGeometry(left, top - captionSpacing - captionHeight, EditLabel->width(), captionHeight);
}
