#include "window/controls/TypeListKeys.h"

#include "document/Mxi.h"

#include <QComboBox>
#include <QKeyEvent>

TypeListKeys::TypeListKeys(QComboBox* typeList) : QObject(typeList), typeList_(typeList) {
    typeList->installEventFilter(this);
}

bool TypeListKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != typeList_ || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier ||
        (key->key() != Qt::Key_Down && key->key() != Qt::Key_Up))
        return false;
    const int row = nearestType(key->key() == Qt::Key_Down ? 1 : -1);
    if (row >= 0) {
        typeList_->setCurrentIndex(row);
        // A pick by the user, as the list reports its own keyboard picks.
        emit typeList_->activated(row);
    }
    return true;
}

int TypeListKeys::nearestType(int step) const {
    for (int row = typeList_->currentIndex() + step; row >= 0 && row < typeList_->count(); row += step) {
        if (!Mxi::isTypeHeading(typeList_->itemText(row)))
            return row;
    }
    return -1;
}
