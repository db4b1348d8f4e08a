#include "window/pictures/Pictures.h"

#include "window/forms/Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

QImage imageOf(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

bool rowIsRule(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != qRgb(0, 0, 0)) {
            return false;
        }
    }
    return true;
}

QList<int> ruleRows(const QImage& image) {
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if (rowIsRule(image, y)) {
            rows.append(y);
        }
    }
    return rows;
}

bool hasInk(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                return true;
            }
        }
    }
    return false;
}

TEST(Pictures, PicturesHaveTheirSizes) {
    const std::pair<std::function<QPixmap()>, QSize> cases[] = {
        {logoPicture, QSize(318, 55)},
        {standardFoldersPicture, QSize(484, 200)},
        {flashFoldersPicture, QSize(571, 516)},
    };
    for (const auto& [picture, size] : cases) {
        EXPECT_EQ(picture().size(), size);
    }
}

TEST(Pictures, LogoHasAWhiteBackground) {
    const QImage logo = imageOf(logoPicture());
    for (const QPoint corner : {QPoint(0, 0), QPoint(317, 0), QPoint(0, 54), QPoint(317, 54)}) {
        EXPECT_EQ(logo.pixel(corner), qRgb(255, 255, 255));
    }
    EXPECT_TRUE(hasInk(logo, QRect(64, 0, 254, 55)));
}

TEST(Pictures, ApplicationIconComesInThreeSizes) {
    const QList<QSize> sizes = applicationIcon().availableSizes();
    EXPECT_EQ(sizes, QList<QSize>({QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
}

TEST(Pictures, TablesAreBlackOnWhite) {
    for (const QImage& table : {imageOf(standardFoldersPicture()), imageOf(flashFoldersPicture())}) {
        for (int y = 0; y < table.height(); ++y) {
            for (int x = 0; x < table.width(); ++x) {
                const QRgb pixel = table.pixel(x, y);
                ASSERT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel)) << x << "," << y;
            }
        }
    }
}

// Header rule, one rule between neighbouring rows, one under the last of the seven rows.
TEST(Pictures, StandardFoldersTableRulesOffEveryRow) {
    const QImage table = imageOf(standardFoldersPicture());
    const QList<int> rules = ruleRows(table);
    ASSERT_EQ(rules.size(), 8);

    const QRect columns[] = {QRect(0, 0, 112, 1), QRect(112, 0, 364, 1)};
    int top = 0;
    for (const int rule : rules) {
        for (const QRect& column : columns) {
            EXPECT_TRUE(hasInk(table, QRect(column.left(), top, column.width(), rule - top)))
                << "band above rule " << rule << ", column at " << column.left();
        }
        top = rule + 1;
    }
}

// The picture is 8 pixels wider than its window; those columns must hold nothing but the rules' ends.
TEST(Pictures, StandardFoldersTableKeepsTextOutOfTheClippedColumns) {
    const QImage table = imageOf(standardFoldersPicture());
    for (int y = 0; y < table.height(); ++y) {
        if (!rowIsRule(table, y)) {
            EXPECT_FALSE(hasInk(table, QRect(476, y, 8, 1))) << "row " << y;
        }
    }
}

TEST(Pictures, FlashFoldersTableRulesOffOnlyTheHeaderAndTheLastRow) {
    const QImage table = imageOf(flashFoldersPicture());
    const QList<int> rules = ruleRows(table);
    ASSERT_EQ(rules.size(), 2);

    const int headerRule = rules[0];
    const int lastRule = rules[1];
    for (const QRect& column :
         {QRect(0, 0, 136, headerRule), QRect(136, 0, 220, headerRule), QRect(356, 0, 215, headerRule)}) {
        EXPECT_TRUE(hasInk(table, column)) << "header cell at " << column.left();
    }
    EXPECT_TRUE(hasInk(table, QRect(0, headerRule + 1, 571, lastRule - headerRule - 1)));
    EXPECT_FALSE(hasInk(table, QRect(0, lastRule + 1, 571, table.height() - lastRule - 1)));
    EXPECT_GT(lastRule, table.height() / 2);
}

// The contrast of the text in box against what it is drawn on: the box's most frequent colour.
double textContrast(const QImage& shot, const QRect& box) {
    QHash<QRgb, int> counts;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            ++counts[shot.pixel(x, y)];
    const QRgb ground = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
                            return a.second < b.second;
                        })->first;
    double contrast = 1;
    for (const QRgb colour : counts.keys())
        contrast = std::max(contrast, contrastRatio(colour, ground));
    return contrast;
}

TEST(Pictures, MainPageTextsAndBadgesReadInADarkPalette) {
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(42, 42, 42));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    QApplication::setPalette(dark);
    TForm1 form;
    form.show();
    const QImage page = form.TabSheet1->grab().toImage();
    QList<QRect> texts = {QRect(64, 2, 250, 38).translated(form.Image1->pos()),
                          QRect(66, 38, 250, 15).translated(form.Image1->pos()),
                          form.CheckBox1->geometry().adjusted(18, 0, 0, 0)};
    for (const QLabel* label : form.TabSheet1->findChildren<QLabel*>())
        if (label != form.Image1)
            texts.append(label->geometry());
    for (const QRect& text : texts)
        EXPECT_GE(textContrast(page, text), 4.5) << text.x() << "," << text.y();
    for (const QPalette::ColorRole line : {QPalette::Base, QPalette::Highlight})
        for (int badge = 0; badge < form.ImageList2.count(); ++badge)
            EXPECT_GE(textContrast(paintedImage(QSize(45, 16), dark.color(line),
                                                [&](QPainter& painter) { form.ImageList2.draw(painter, {}, badge); }),
                                   QRect(8, 0, 37, 16)),
                      4.5)
                << "badge " << badge << " on role " << line;
    QApplication::setPalette(light);
}

} // namespace
