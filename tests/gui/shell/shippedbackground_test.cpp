#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QImage shippedBackground() {
    const QDir data = QStringLiteral(VELMARO_DATA_DIR);
    return QImage(data.filePath(QStringLiteral("Backgrounds/BACKGR1.BMP")));
}

// The picture a first start tiles behind the lists, with black text over it.
TEST(ShippedBackground, LoadsNearItsColourAndTilesWithoutSeams) {
    const QImage image = shippedBackground();
    ASSERT_FALSE(image.isNull());
    long red = 0;
    long green = 0;
    long blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red();
            green += c.green();
            blue += c.blue();
            // Light enough everywhere for black text.
            EXPECT_GT(qGray(c.rgb()), 120) << x << "," << y;
        }
    }
    const long count = static_cast<long>(image.width()) * image.height();
    EXPECT_NEAR(red / count, 107, 4);
    EXPECT_NEAR(green / count, 156, 4);
    EXPECT_NEAR(blue / count, 255, 6);
    // Opposite edges are neighbours once tiled: they differ no more than neighbours inside do.
    const auto step = [](QRgb a, QRgb b) { return std::abs(qGray(a) - qGray(b)); };
    for (int n = 0; n < image.width(); ++n) {
        EXPECT_LE(step(image.pixel(image.width() - 1, n), image.pixel(0, n)), 4) << "row " << n;
        EXPECT_LE(step(image.pixel(n, image.height() - 1), image.pixel(n, 0)), 4) << "column " << n;
    }
}

}  // namespace
