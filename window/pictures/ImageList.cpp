#include "window/pictures/ImageList.h"

#include "window/pictures/Pictures.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>

ImageList::ImageList(QSize imageSize) : imageSize_(imageSize) {}

void ImageList::add(const std::function<void(QPainter&)>& paint) {
    images_.append(paintedPixmap(imageSize_, Qt::transparent, paint));
}

void ImageList::draw(QPainter& painter, QPoint topLeft, int index) const {
    painter.drawPixmap(topLeft, images_.at(index));
}

namespace {

struct ProductTile {
    const char* abbreviation;
    QColor colour;
};

void drawProductTile(QPainter& painter, const ProductTile& tile) {
    const QRectF bounds(0.5, 0.5, 15, 15);
    painter.setPen(QPen(tile.colour.darker(150), 1));
    painter.setBrush(tile.colour);
    painter.drawRoundedRect(bounds, 3, 3);

    QFont font = sansPictureFont(8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(bounds, Qt::AlignCenter, QString::fromLatin1(tile.abbreviation));
}

// Narrows the font step by step until text fits width; at this size a narrower face reads better than a smaller one.
QFont narrowedToFit(QFont font, const QString& text, qreal width) {
    for (int stretch = 99; stretch >= 50 && QFontMetricsF(font).tightBoundingRect(text).right() > width; --stretch) {
        font.setStretch(stretch);
    }
    return font;
}

// The word sits on a plate of the list's base colour, in its colour made readable there: the badge reads on
// a selected line and in a dark theme alike.
void drawBadge(QPainter& painter, const QString& word, const QColor& colour) {
    QPainterPath tick;
    tick.moveTo(1, 8.5);
    tick.lineTo(3.2, 11.5);
    tick.lineTo(6.5, 4);
    painter.setPen(QPen(QColor(128, 128, 128), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);

    // Unsmoothed text stays crisp and keeps its full colour at ten pixels.
    const QRectF wordBox(8, 0, 37, 16);
    const QColor plate = QGuiApplication::palette().color(QPalette::Base);
    painter.fillRect(QRect(8, 1, 37, 14), plate);
    QFont font = sansPictureFont(10);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(narrowedToFit(font, word, wordBox.width()));
    painter.setPen(readableOn(colour, plate));
    painter.drawText(wordBox, Qt::AlignLeft | Qt::AlignVCenter, word);
}

// A window with a title bar and four panes, on whole pixels so the panes stay crisp.
void drawWindowMark(QPainter& painter, const QRect& bounds) {
    const int bar = std::max(1, bounds.width() / 10);
    const int titleHeight = bounds.height() / 4;
    const QRect glass = bounds.adjusted(bar, titleHeight, -bar, -bar);
    const int paneWidth = (glass.width() - bar) / 2;
    const int paneHeight = (glass.height() - bar) / 2;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(bounds, QColor(20, 60, 140));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            painter.fillRect(glass.left() + column * (glass.width() - paneWidth),
                             glass.top() + row * (glass.height() - paneHeight), paneWidth, paneHeight,
                             QColor(120, 180, 235));
        }
    }
    painter.restore();
}

// A plain apple: a round fruit with a stem and a leaf.
void drawAppleMark(QPainter& painter, const QRectF& bounds) {
    const qreal w = bounds.width();
    const qreal h = bounds.height();
    const qreal x = bounds.left();
    const qreal y = bounds.top();

    painter.setPen(QPen(QColor(110, 70, 30), std::max<qreal>(1.0, w / 12), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(x + w * 0.5, y + h * 0.32), QPointF(x + w * 0.56, y + h * 0.08));

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 160, 50));
    painter.drawEllipse(QRectF(x + w * 0.58, y + h * 0.02, w * 0.32, h * 0.18));

    QPainterPath fruit;
    fruit.addEllipse(QRectF(x + w * 0.02, y + h * 0.24, w * 0.58, h * 0.74));
    fruit.addEllipse(QRectF(x + w * 0.40, y + h * 0.24, w * 0.58, h * 0.74));
    fruit.setFillRule(Qt::WindingFill);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawPath(fruit.simplified());
}

} // namespace

ImageList productImages() {
    // In the order of Mxi::productNames(): the seven older products, then the Extension Manager's. A
    // product's 32- and 64-bit names show their bits on the product's colour.
    const QColor photoshop(20, 90, 170);
    const QColor illustrator(200, 110, 0);
    const QColor inDesign(190, 30, 90);
    const QColor inCopy(130, 50, 150);
    static const ProductTile tiles[] = {
        {"Dw", QColor(40, 130, 80)},
        {"Ud", QColor(110, 60, 160)},
        {"Fl", QColor(200, 40, 40)},
        {"Hs", QColor(30, 100, 190)},
        {"JR", QColor(220, 120, 0)},
        {"Sp", QColor(170, 20, 100)},
        {"CF", QColor(60, 70, 80)},
        {"Fw", QColor(150, 130, 0)},
        {"Ps", photoshop},
        {"32", photoshop},
        {"64", photoshop},
        {"Ai", illustrator},
        {"32", illustrator},
        {"64", illustrator},
        {"Id", inDesign},
        {"32", inDesign},
        {"64", inDesign},
        {"Ic", inCopy},
        {"32", inCopy},
        {"64", inCopy},
        {"Pr", QColor(90, 40, 190)},
        {"Pl", QColor(0, 120, 130)},
        {"Ae", QColor(70, 50, 140)},
        {"Au", QColor(0, 130, 100)},
        {"Br", QColor(130, 80, 30)},
        {"Lr", QColor(40, 110, 150)},
    };
    ImageList list(QSize(16, 16));
    for (const ProductTile& tile : tiles) {
        list.add([&tile](QPainter& painter) { drawProductTile(painter, tile); });
    }
    return list;
}

ImageList badgeImages() {
    const QColor red(200, 0, 0);
    const QColor green(0, 140, 0);
    const std::pair<const char*, QColor> badges[] = {
        {"primary", red}, {"required", green}, {"Shared", red}, {"System", green}};
    ImageList list(QSize(45, 16));
    for (const auto& badge : badges) {
        list.add([&badge](QPainter& painter) { drawBadge(painter, QString::fromLatin1(badge.first), badge.second); });
    }
    return list;
}

ImageList platformImages() {
    ImageList list(QSize(16, 16));
    list.add([](QPainter& painter) {
        drawWindowMark(painter, QRect(6, 6, 10, 10));
        drawAppleMark(painter, QRectF(0, 1, 11, 11));
    });
    list.add([](QPainter& painter) { drawWindowMark(painter, QRect(1, 1, 14, 14)); });
    list.add([](QPainter& painter) { drawAppleMark(painter, QRectF(1, 1, 14, 14)); });
    return list;
}
