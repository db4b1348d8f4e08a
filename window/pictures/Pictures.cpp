#include "window/pictures/Pictures.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPalette>
#include <QPolygonF>
#include <QStringList>

#include <algorithm>
#include <cmath>

// A cardboard parcel seen from above at an angle, taped over the lid and down the front, fitted into a square.
void drawParcelMark(QPainter& painter, const QRectF& square) {
    const auto at = [&square](qreal x, qreal y) {
        return QPointF(square.left() + x * square.width(), square.top() + y * square.height());
    };
    const QPointF back = at(0.5, 0.05), right = at(0.95, 0.27), front = at(0.5, 0.49), left = at(0.05, 0.27);
    const QPointF leftBottom = at(0.05, 0.73), frontBottom = at(0.5, 0.95), rightBottom = at(0.95, 0.73);

    painter.save();
    painter.setPen(QPen(QColor(90, 55, 20), std::max<qreal>(1.0, square.width() / 40), Qt::SolidLine, Qt::SquareCap,
                        Qt::RoundJoin));
    painter.setBrush(QColor(232, 190, 130));
    painter.drawPolygon(QPolygonF({back, right, front, left}));
    painter.setBrush(QColor(205, 150, 85));
    painter.drawPolygon(QPolygonF({left, front, frontBottom, leftBottom}));
    painter.setBrush(QColor(175, 120, 60));
    painter.drawPolygon(QPolygonF({front, right, rightBottom, frontBottom}));

    const QPointF tapeStart = (back + left) / 2;
    const QPointF tapeBend = (right + front) / 2;
    const QPointF tapeEnd = (rightBottom + frontBottom) / 2;
    painter.setPen(
        QPen(QColor(40, 90, 160), std::max<qreal>(2.0, square.width() / 9), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPolyline(QPolygonF({tapeStart, tapeBend, tapeEnd}));
    painter.restore();
}

namespace {

enum class Face { Heading, Code, Prose };

struct Cell {
    QString text;
    Face face;
};

Cell heading(const char* text) {
    return {QString::fromUtf8(text), Face::Heading};
}

Cell code(const char* text) {
    return {QString::fromUtf8(text), Face::Code};
}

Cell quoted(const char* text) {
    return {u'"' + QString::fromUtf8(text) + u'"', Face::Code};
}

Cell prose(const char* text) {
    return {QString::fromUtf8(text), Face::Prose};
}

enum class Rules { BetweenEveryRow, HeaderAndLastRow };

// A printed-style reference table: a header row ruled off, then one row per entry. The rules run the picture's
// full width; the rows share out the height the text leaves over.
struct ReferenceTable {
    QSize size;
    int fontPixelSize;
    QList<int> columnWidths;
    QList<Cell> header;
    QList<QList<Cell>> entries;
    Rules rules;
};

const ReferenceTable& standardFoldersTable() {
    static const ReferenceTable table{
        QSize(484, 200),
        12,
        {112, 364},
        {heading("Attributes"), heading("Description")},
        {
            {code("$dreamweaver"), prose("Specifies the Dreamweaver installation folder")},
            {code("$fireworks"), prose("Specifies the Fireworks installation folder")},
            {code("$flash"), prose("Specifies the Macromedia Flash installation folder")},
            {code("$ultradev"), prose("Specifies the UltraDev installation folder")},
            {code("$generator"),
             prose("Specifies the Macromedia Generator installation folder in Macromedia Flash 5 and earlier.")},
            {code("$system"), prose("Specifies the System or System32 folder")},
            {code("$fonts"), prose("Specifies the Font folder on the computer's hard disk")},
        },
        Rules::BetweenEveryRow,
    };
    return table;
}

const ReferenceTable& flashFoldersTable() {
    static const ReferenceTable table{
        QSize(571, 516),
        10,
        {136, 220, 215},
        {heading("Macromedia Flash extension type string"), heading("Destination string"),
         heading("Menu in Macromedia Flash")},
        {
            {quoted("smartclip"), quoted("$flash/Libraries"), prose("Window > Common Libraries > Name of SmartClip")},
            {quoted("actionscript"), quoted("$flash/ActionScript"),
             prose("Installed to Flash/Configuration/ActionScript folder, but does not appear as a menu item in "
                   "Macromedia Flash.")},
            {quoted("lesson"), quoted("$flash/Lessons"), prose("Help > Lessons")},
            {quoted("sample"), quoted("$flash/Samples"), prose("Help > Samples")},
            {quoted("library"), quoted("$flash/Libraries"), prose("Window > Common Libraries > Name of extension")},
            {quoted("publishtemplate"), quoted("$flash/HTML"), prose("File > Publish Settings")},
            {quoted("utility"), quoted("$flash/FolderName"), prose("Installed to the Flash Configuration folder")},
            {quoted("keyboardshortcut"), quoted("$flash/Keyboard Shortcuts"), prose("Edit > Keyboard shortcuts")},
            {quoted("flash importer"), quoted("$flash/Importers"),
             prose("File > Import > File types menu in Import dialog")},
            {quoted("flash component"), quoted("$flash/Components"),
             prose("Window > Components > Component Panel category menu")},
            {quoted("flash custom action"), quoted("$flash/ActionsPanel/CustomActions"),
             prose("Actions List in the Actions Panel")},
            {quoted("flash panel"), quoted("$flash/WindowSWF"), prose("Window > Panel Sets > Name of Panel")},
            {quoted("flash template"), quoted("$flash/Templates/Name"),
             prose("File > New from Template > Name of template")},
            {quoted("generatorobject"),
             prose("You must specify a destination for each file in the Generator object extension: "
                   "\"$flash/generator/template\", \"$generator/classes\", \"$generator/classes/MyExtension Folder\""),
             prose("In Macromedia Flash 5 and earlier, Generator object extensions appear in the Generator Objects "
                   "panel. Macromedia Flash MX does not support Generator object extensions.")},
        },
        Rules::HeaderAndLastRow,
    };
    return table;
}

constexpr int cellPaddingX = 4;
constexpr int cellPaddingY = 3;
constexpr int cellTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

QFont cellFont(Face face, int pixelSize) {
    if (face == Face::Code) {
        return monoPictureFont(pixelSize);
    }
    QFont font = sansPictureFont(pixelSize);
    font.setBold(face == Face::Heading);
    return font;
}

// The header row followed by the entries.
QList<QList<Cell>> tableRows(const ReferenceTable& table) {
    return QList<QList<Cell>>{table.header} + table.entries;
}

bool ruledOffBelow(const ReferenceTable& table, qsizetype row) {
    return row == 0 || row == table.entries.size() || table.rules == Rules::BetweenEveryRow;
}

QRect cellTextBox(const ReferenceTable& table, qsizetype column, int rowTop, int rowHeight) {
    int left = 0;
    for (qsizetype before = 0; before < column; ++before) {
        left += table.columnWidths[before];
    }
    return QRect(left, rowTop, table.columnWidths[column], rowHeight)
        .adjusted(cellPaddingX, cellPaddingY, -cellPaddingX, 0);
}

int naturalRowHeight(const ReferenceTable& table, const QList<Cell>& cells) {
    int height = 0;
    for (qsizetype column = 0; column < cells.size(); ++column) {
        const QFontMetrics metrics(cellFont(cells[column].face, table.fontPixelSize));
        const QRect box = cellTextBox(table, column, 0, table.size.height());
        height = std::max(height, metrics.boundingRect(box, cellTextFlags, cells[column].text).height());
    }
    return height + 2 * cellPaddingY;
}

// Each row's height: its tallest cell, plus an even share of the picture's height that the table leaves over.
QList<int> rowHeights(const ReferenceTable& table, const QList<QList<Cell>>& rows) {
    QList<int> heights;
    int used = 0;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        heights.append(naturalRowHeight(table, rows[row]));
        used += heights.last() + (ruledOffBelow(table, row) ? 1 : 0);
    }
    const int share = std::max(0, table.size.height() - used) / static_cast<int>(rows.size());
    for (int& height : heights) {
        height += share;
    }
    return heights;
}

QPixmap drawReferenceTable(const ReferenceTable& table) {
    return paintedPixmap(table.size, Qt::white, [&table](QPainter& painter) {
        painter.setPen(Qt::black);
        const QList<QList<Cell>> rows = tableRows(table);
        const QList<int> heights = rowHeights(table, rows);
        int top = 0;
        for (qsizetype row = 0; row < rows.size(); ++row) {
            for (qsizetype column = 0; column < rows[row].size(); ++column) {
                const Cell& cell = rows[row][column];
                painter.setFont(cellFont(cell.face, table.fontPixelSize));
                painter.drawText(cellTextBox(table, column, top, heights[row]), cellTextFlags, cell.text);
            }
            top += heights[row];
            if (ruledOffBelow(table, row)) {
                painter.fillRect(QRect(0, top, table.size.width(), 1), Qt::black);
                top += 1;
            }
        }
    });
}

} // namespace

namespace {

QImage paintedImageAt(qreal pixelRatio, QSize size, const QColor& background,
                      const std::function<void(QPainter&)>& paint) {
    QImage canvas((QSizeF(size) * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(pixelRatio);
    canvas.fill(background);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paint(painter);
    painter.end();
    return canvas;
}

double relativeLuminance(const QColor& colour) {
    const auto linear = [](qreal channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

} // namespace

QImage paintedImage(QSize size, const QColor& background, const std::function<void(QPainter&)>& paint) {
    return paintedImageAt(1.0, size, background, paint);
}

QPixmap paintedPixmap(QSize size, const QColor& background, const std::function<void(QPainter&)>& paint) {
    return QPixmap::fromImage(paintedImageAt(qGuiApp ? qGuiApp->devicePixelRatio() : 1.0, size, background, paint));
}

double contrastRatio(const QColor& first, const QColor& second) {
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor readableOn(const QColor& ink, const QColor& ground) {
    constexpr double readable = 4.5;
    const QColor extreme = contrastRatio(Qt::black, ground) > contrastRatio(Qt::white, ground) ? Qt::black : Qt::white;
    QColor moved = ink;
    for (int step = 1; step <= 32 && contrastRatio(moved, ground) < readable; ++step) {
        const qreal share = step / 32.0;
        moved = QColor::fromRgbF(ink.redF() + (extreme.redF() - ink.redF()) * share,
                                 ink.greenF() + (extreme.greenF() - ink.greenF()) * share,
                                 ink.blueF() + (extreme.blueF() - ink.blueF()) * share);
    }
    return moved;
}

QFont sansPictureFont(int pixelSize) {
    QFont font;
    font.setFamilies({"DejaVu Sans", "Arial", "Helvetica"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

QFont monoPictureFont(int pixelSize) {
    QFont font;
    font.setFamilies({"DejaVu Sans Mono", "Courier New", "Courier"});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    return font;
}

QPixmap logoPicture() {
    const QColor page = QGuiApplication::palette().color(QPalette::Button);
    return paintedPixmap(QSize(318, 55), Qt::white, [&page](QPainter& painter) {
        drawParcelMark(painter, QRectF(6, 4, 47, 47));

        QFont wordmark = sansPictureFont(32);
        wordmark.setBold(true);
        painter.setFont(wordmark);
        painter.setPen(readableOn(QColor(40, 55, 75), page));
        painter.drawText(QRect(64, 2, 250, 38), Qt::AlignLeft | Qt::AlignVCenter, "Parcelwright");

        painter.setFont(sansPictureFont(11));
        painter.setPen(readableOn(QColor(40, 90, 160), page));
        painter.drawText(QRect(66, 38, 250, 15), Qt::AlignLeft | Qt::AlignVCenter, "extension installation files");
    });
}

QImage applicationIconImage(int side) {
    return paintedImage(QSize(side, side), Qt::transparent,
                        [side](QPainter& painter) { drawParcelMark(painter, QRectF(0, 0, side, side)); });
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int side : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(applicationIconImage(side)));
    return icon;
}

QPixmap standardFoldersPicture() {
    return drawReferenceTable(standardFoldersTable());
}

QPixmap flashFoldersPicture() {
    return drawReferenceTable(flashFoldersTable());
}
