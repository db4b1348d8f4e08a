#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <functional>

class QPainter;

// The banner of the Main page, 318 x 55, on white; its words stay readable on the palette's button face,
// where the Main page shows the banner without its white.
QPixmap logoPicture();

// The program's icon: a parcel at 16, 32 and 48 pixels.
QIcon applicationIcon();
// The icon's picture at one size, side x side, on a transparent background.
QImage applicationIconImage(int side);
// The parcel of the logo and the icon, fitted into square.
void drawParcelMark(QPainter& painter, const QRectF& square);

// The reference table of the folder names a destination may start with, 484 x 200.
QPixmap standardFoldersPicture();

// The reference table of the destinations of each Flash extension type, 571 x 516.
QPixmap flashFoldersPicture();

// Fonts of the program's pictures, sized in pixels so the pictures look the same on every screen.
QFont sansPictureFont(int pixelSize);
QFont monoPictureFont(int pixelSize);

// Paints onto a new canvas filled with background, antialiased, and returns the result. The image has
// exactly size pixels; the pixmap is drawn at the screens' device pixel ratio, so it stays sharp when scaled.
QImage paintedImage(QSize size, const QColor& background, const std::function<void(QPainter&)>& paint);
QPixmap paintedPixmap(QSize size, const QColor& background, const std::function<void(QPainter&)>& paint);

// The contrast of two colours by their relative luminance, from 1 (none) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);
// ink itself when it reads on ground (contrast 4.5:1 at least); otherwise ink moved toward black or white,
// whichever ground leaves more room for, just as far as it takes.
QColor readableOn(const QColor& ink, const QColor& ground);
