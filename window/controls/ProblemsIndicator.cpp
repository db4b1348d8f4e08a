#include "window/controls/ProblemsIndicator.h"

#include <QStyle>

#include <algorithm>

ProblemsIndicator::ProblemsIndicator(QWidget* parent, QRect room) : QPushButton(parent), room_(room) {
    setFlat(true);
    // Enter activates it as Space does, also outside a dialog.
    setAutoDefault(true);
    setIconSize(QSize(16, 16));
    setAccessibleDescription(QStringLiteral("Opens the list of problems (F8)"));
    setToolTip(QStringLiteral("Problems (F8)"));
    showCount(0);
}

void ProblemsIndicator::showCount(qsizetype warnings) {
    const QString text = summary(warnings);
    setText(text);
    setIcon(warnings == 0 ? QIcon() : style()->standardIcon(QStyle::SP_MessageBoxWarning));
    setAccessibleName(QStringLiteral("Problems: %1").arg(text));
    setGeometry(room_.x(), room_.y(), std::min(sizeHint().width(), room_.width()), room_.height());
}

QString ProblemsIndicator::summary(qsizetype warnings) {
    if (warnings == 0)
        return QStringLiteral("No problems");
    return warnings == 1 ? QStringLiteral("1 warning") : QStringLiteral("%1 warnings").arg(warnings);
}
