#include "window/pictures/ImageList.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

QImage imageAt(const ImageList& list, int index) {
    return list.pixmap(index).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool isRed(QColor c) {
    return c.alpha() > 200 && c.red() > 150 && c.green() < 90 && c.blue() < 90;
}
bool isGreen(QColor c) {
    return c.alpha() > 200 && c.green() > 100 && c.red() < 90 && c.blue() < 90;
}
bool isBlue(QColor c) {
    return c.alpha() > 200 && c.blue() > 120 && c.red() < 140 && c.blue() > c.red() + 60;
}
bool isGrey(QColor c) {
    return c.alpha() > 200 && std::abs(c.red() - c.green()) < 8 && std::abs(c.green() - c.blue()) < 8 && c.red() > 60 &&
           c.red() < 200;
}

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& matches) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += matches(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

struct ListCase {
    const char* name;
    std::function<ImageList()> build;
    int count;
    QSize size;
};

TEST(ImageList, ListsHaveTheirCountsAndSizes) {
    const ListCase cases[] = {
        {"products", productImages, 26, QSize(16, 16)},
        {"badges", badgeImages, 4, QSize(45, 16)},
        {"platforms", platformImages, 3, QSize(16, 16)},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageList list = c.build();
        EXPECT_EQ(list.count(), c.count);
        EXPECT_EQ(list.imageSize(), c.size);
        for (int i = 0; i < list.count(); ++i) {
            EXPECT_EQ(list.pixmap(i).size(), c.size) << "image " << i;
            EXPECT_FALSE(list.icon(i).isNull()) << "image " << i;
        }
    }
}

TEST(ImageList, DrawPutsTheImageAtTheGivenCorner) {
    const ImageList list = productImages();
    QImage canvas(40, 30, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    list.draw(painter, QPoint(5, 3), 2);
    painter.end();

    EXPECT_EQ(canvas.copy(5, 3, 16, 16), imageAt(list, 2));
    EXPECT_EQ(canvas.pixelColor(4, 10).alpha(), 0);
    EXPECT_EQ(canvas.pixelColor(21, 10).alpha(), 0);
}

TEST(ImageList, BadgesShowAGreyTickAndTheirWordInItsColour) {
    struct BadgeCase {
        int index;
        bool red;
    };
    const BadgeCase cases[] = {{0, true}, {1, false}, {2, true}, {3, false}};
    const ImageList badges = badgeImages();
    const QRect tick(0, 0, 8, 16);
    const QRect word(8, 0, 37, 16);
    for (const BadgeCase& c : cases) {
        SCOPED_TRACE(c.index);
        const QImage badge = imageAt(badges, c.index);
        EXPECT_GT(countPixels(badge, tick, isGrey), 6);
        EXPECT_EQ(countPixels(badge, tick, isRed) + countPixels(badge, tick, isGreen), 0);
        EXPECT_GT(countPixels(badge, word, c.red ? isRed : isGreen), 20);
        EXPECT_EQ(countPixels(badge, word, c.red ? isGreen : isRed), 0);
        for (const QPoint corner : {QPoint(0, 0), QPoint(44, 0), QPoint(0, 15), QPoint(44, 15)}) {
            EXPECT_EQ(badge.pixelColor(corner).alpha(), 0) << corner.x() << "," << corner.y();
        }
    }
}

TEST(ImageList, ImagesOfAListDifferFromEachOther) {
    for (const ImageList& list : {productImages(), badgeImages(), platformImages()}) {
        for (int a = 0; a < list.count(); ++a) {
            for (int b = a + 1; b < list.count(); ++b) {
                EXPECT_NE(imageAt(list, a), imageAt(list, b)) << a << " and " << b;
            }
        }
    }
}

TEST(ImageList, PlatformIconsShowTheAppleAtUpperLeftAndTheWindowAtLowerRight) {
    const ImageList platforms = platformImages();
    const QImage both = imageAt(platforms, 0);
    const QImage windows = imageAt(platforms, 1);
    const QImage apple = imageAt(platforms, 2);
    const QRect whole(0, 0, 16, 16);

    EXPECT_GT(countPixels(both, QRect(0, 0, 8, 8), isRed), 15);
    EXPECT_GT(countPixels(both, QRect(10, 10, 6, 6), isBlue), 15);
    EXPECT_EQ(countPixels(both, QRect(10, 10, 6, 6), isRed), 0);

    EXPECT_GT(countPixels(windows, whole, isBlue), 100);
    EXPECT_EQ(countPixels(windows, whole, isRed), 0);

    EXPECT_GT(countPixels(apple, whole, isRed), 80);
    EXPECT_EQ(countPixels(apple, whole, isBlue), 0);
}

} // namespace
