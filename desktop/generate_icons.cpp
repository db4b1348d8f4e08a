// Writes the program's icon and its files' icon for the hicolor icon theme, drawn by the same code as the
// Main page's logo: generate_icons APP_ID MIME_ICON FOLDER makes FOLDER/scalable/apps/APP_ID.svg,
// FOLDER/NxN/apps/APP_ID.png for each size, and the same under mimetypes/ for MIME_ICON, the parcel on a
// sheet of paper.
#include "window/pictures/Pictures.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int pixelSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int svgSide = 256;

using Draw = void (*)(QPainter&, qreal side);

void drawProgramIcon(QPainter& painter, qreal side) {
    drawParcelMark(painter, QRectF(0, 0, side, side));
}

// A sheet with its top right corner folded over, and the parcel on it.
void drawFileIcon(QPainter& painter, qreal side) {
    const qreal left = side * 0.16, right = side * 0.84, top = side * 0.03, bottom = side * 0.97, fold = side * 0.2;
    QPainterPath sheet;
    sheet.moveTo(left, top);
    sheet.lineTo(right - fold, top);
    sheet.lineTo(right, top + fold);
    sheet.lineTo(right, bottom);
    sheet.lineTo(left, bottom);
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(110, 110, 110), std::max<qreal>(1.0, side / 48)));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);
    painter.setBrush(QColor(215, 215, 215));
    painter.drawPolygon(QPolygonF({{right - fold, top}, {right - fold, top + fold}, {right, top + fold}}));
    drawParcelMark(painter, QRectF(side * 0.24, side * 0.34, side * 0.52, side * 0.52));
}

bool writeSvg(const QString& fileName, Draw draw) {
    QSvgGenerator svg;
    svg.setFileName(fileName);
    svg.setSize(QSize(svgSide, svgSide));
    svg.setViewBox(QRect(0, 0, svgSide, svgSide));
    svg.setTitle(QStringLiteral("Parcelwright"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, svgSide);
    return painter.end();
}

QString themeFile(const QString& folder, const QString& size, const QString& context, const QString& name) {
    const QString contextFolder = folder + '/' + size + '/' + context;
    QDir().mkpath(contextFolder);
    return contextFolder + '/' + name;
}

// The icon name in the context, as one SVG picture and one PNG picture per size.
bool writeIcon(const QString& folder, const QString& context, const QString& name, Draw draw) {
    bool written =
        writeSvg(themeFile(folder, QStringLiteral("scalable"), context, name + QStringLiteral(".svg")), draw);
    for (const int side : pixelSizes) {
        const QImage image =
            paintedImage(QSize(side, side), Qt::transparent, [side, draw](QPainter& painter) { draw(painter, side); });
        const QString size = QStringLiteral("%1x%1").arg(side);
        written = image.save(themeFile(folder, size, context, name + QStringLiteral(".png"))) && written;
    }
    return written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: generate_icons APP_ID MIME_ICON FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[3]);
    bool written = writeIcon(folder, QStringLiteral("apps"), QString::fromLocal8Bit(argv[1]), drawProgramIcon);
    written = writeIcon(folder, QStringLiteral("mimetypes"), QString::fromLocal8Bit(argv[2]), drawFileIcon) && written;
    if (!written)
        std::fputs("generate_icons: could not write the icons\n", stderr);
    return written ? 0 : 1;
}
