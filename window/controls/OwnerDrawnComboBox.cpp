#include "window/controls/OwnerDrawnComboBox.h"

#include "window/controls/OwnerDrawnDelegate.h"
#include <QStylePainter>

OwnerDrawnComboBox::OwnerDrawnComboBox(QWidget* parent, int rowHeight, DrawItem drawItem)
    : QComboBox(parent), drawItem_(std::move(drawItem)) {
    setItemDelegate(new OwnerDrawnDelegate(this, rowHeight, drawItem_, OwnerDrawnDelegate::Focus::NotDrawn));
}

// The frame and the arrow come from the style; the field shows the picked row as the drawing
// function paints it, highlighted while the list has the focus, or nothing when no row is picked.
void OwnerDrawnComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);

    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() < 0) {
        painter.fillRect(field, palette().color(QPalette::Base));
        return;
    }
    painter.setClipRect(field);
    drawItem_(painter, currentIndex(), field, hasFocus());
}
