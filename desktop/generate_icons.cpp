// Writes the program's icon for the hicolor icon theme, drawn by the same code as the Main page's
// logo: generate_icons APP_ID FOLDER makes FOLDER/scalable/apps/APP_ID.svg and
// FOLDER/NxN/apps/APP_ID.png for each size.
#include "window/Pictures.h"

#include <QDir>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

constexpr int pixelSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int svgSide = 256;

bool writeSvg(const QString& fileName) {
    QSvgGenerator svg;
    svg.setFileName(fileName);
    svg.setSize(QSize(svgSide, svgSide));
    svg.setViewBox(QRect(0, 0, svgSide, svgSide));
    svg.setTitle(QStringLiteral("Parcelwright"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    drawParcelMark(painter, QRectF(0, 0, svgSide, svgSide));
    return painter.end();
}

QString themeFile(const QString& folder, const QString& size, const QString& fileName) {
    const QString appsFolder = folder + '/' + size + QStringLiteral("/apps");
    QDir().mkpath(appsFolder);
    return appsFolder + '/' + fileName;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: generate_icons APP_ID FOLDER\n", stderr);
        return 2;
    }
    const QString appId = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    bool written = writeSvg(themeFile(folder, QStringLiteral("scalable"), appId + QStringLiteral(".svg")));
    for (const int side : pixelSizes) {
        const QString size = QStringLiteral("%1x%1").arg(side);
        written = applicationIconImage(side).save(themeFile(folder, size, appId + QStringLiteral(".png"))) && written;
    }
    if (!written)
        std::fputs("generate_icons: could not write the icons\n", stderr);
    return written ? 0 : 1;
}
