#include "window/OwnerDrawnComboBox.h"

#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

// Paints the rows of the opened list through the drawing function, at a fixed height.
class OwnerDrawnRowDelegate : public QStyledItemDelegate {
public:
    OwnerDrawnRowDelegate(QObject* parent, int rowHeight, OwnerDrawnComboBox::DrawItem drawItem)
        : QStyledItemDelegate(parent), rowHeight_(rowHeight), drawItem_(std::move(drawItem)) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        painter->save();
        drawItem_(*painter, index.row(), option.rect, option.state.testFlag(QStyle::State_Selected));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {0, rowHeight_}; }

private:
    int rowHeight_;
    OwnerDrawnComboBox::DrawItem drawItem_;
};

} // namespace

OwnerDrawnComboBox::OwnerDrawnComboBox(QWidget* parent, int rowHeight, DrawItem drawItem)
    : QComboBox(parent), drawItem_(std::move(drawItem)) {
    setItemDelegate(new OwnerDrawnRowDelegate(this, rowHeight, drawItem_));
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
