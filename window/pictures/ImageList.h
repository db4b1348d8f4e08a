#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QSize>

#include <functional>

class QPainter;

// A list of equally sized pictures, addressed by index, as drawn in the product and file lists.
class ImageList {
public:
    explicit ImageList(QSize imageSize);

    QSize imageSize() const { return imageSize_; }
    int count() const { return static_cast<int>(images_.size()); }

    // Adds one picture: paint draws it onto a transparent canvas of the list's image size.
    void add(const std::function<void(QPainter&)>& paint);

    QPixmap pixmap(int index) const { return images_.at(index); }
    QIcon icon(int index) const { return QIcon(images_.at(index)); }
    void draw(QPainter& painter, QPoint topLeft, int index) const;

private:
    QSize imageSize_;
    QList<QPixmap> images_;
};

// ImageList1: one 16 x 16 icon per product, in the order of the product picker.
ImageList productImages();

// ImageList2: the 45 x 16 badges "primary", "required", "Shared" and "System".
ImageList badgeImages();

// ImageList3: the 16 x 16 platform icons: both platforms, Windows, Apple.
ImageList platformImages();
