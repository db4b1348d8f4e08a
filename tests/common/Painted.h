#pragma once

// What a widget shows, read from its painted pixels.

#include <QColor>
#include <QImage>
#include <QWidget>

#include <cstdlib>

template <typename Matches> bool holdsPixel(const QImage& image, Matches matches) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (matches(image.pixelColor(x, y)))
                return true;
        }
    }
    return false;
}

// Compared as RGBA values: a colour worked out in another colour model is still the same colour.
inline bool holdsColour(const QImage& image, const QColor& colour) {
    return holdsPixel(image, [&](const QColor& pixel) { return pixel.rgba() == colour.rgba(); });
}

// Antialiased text reaches its pen colour only nearly.
inline bool holdsNearColour(const QImage& image, const QColor& colour) {
    constexpr int tolerance = 64;
    return holdsPixel(image, [&](const QColor& pixel) {
        return std::abs(pixel.red() - colour.red()) <= tolerance &&
               std::abs(pixel.green() - colour.green()) <= tolerance &&
               std::abs(pixel.blue() - colour.blue()) <= tolerance;
    });
}

// Whether the widget, painted as it is now, shows ink of about this colour and none of the other.
inline bool paintsIn(QWidget* widget, const QColor& colour, const QColor& notColour) {
    const QImage painted = widget->grab().toImage();
    return holdsNearColour(painted, colour) && !holdsNearColour(painted, notColour);
}
