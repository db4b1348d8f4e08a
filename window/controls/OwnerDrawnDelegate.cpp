#include "window/controls/OwnerDrawnDelegate.h"

#include <QPainter>

OwnerDrawnDelegate::OwnerDrawnDelegate(QObject* parent, int rowHeight, DrawItem drawItem, Focus focus)
    : QStyledItemDelegate(parent), rowHeight_(rowHeight), drawItem_(std::move(drawItem)), focus_(focus) {}

void OwnerDrawnDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QColor background = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
    painter->save();
    painter->setClipRect(option.rect);
    painter->setBrush(background);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    drawItem_(*painter, index.row(), option.rect, selected);
    painter->restore();
    if (focus_ == Focus::NotDrawn || !option.state.testFlag(QStyle::State_HasFocus) || !option.widget)
        return;
    QStyleOptionFocusRect focusRect;
    focusRect.QStyleOption::operator=(option);
    focusRect.backgroundColor = background;
    option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focusRect, painter, option.widget);
}

QSize OwnerDrawnDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), rowHeight_};
}
