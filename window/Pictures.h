#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <functional>

class QPainter;

// The banner of the Main page, 318 x 55, on white.
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

// Paints onto a new canvas filled with background, antialiased, and returns the result.
QImage paintedImage(QSize size, const QColor& background, const std::function<void(QPainter&)>& paint);
QPixmap paintedPixmap(QSize size, const QColor& background, const std::function<void(QPainter&)>& paint);
