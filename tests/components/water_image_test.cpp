#include "components/water_image.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include <QPainter>

#include "components/ripple_field.h"
#include "components/ripple_render.h"

namespace {

// Every pixel of this picture tells where it lies (red = x, green = y), so a frame shows how far
// each pixel was shifted by the water.
QImage PositionPicture() {
    QImage picture(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            picture.setPixel(x, y, qRgb(x, y, 0));
    return picture;
}

// The area lies away from the window's corner, so that window and frame coordinates differ.
const QRect kArea(30, 20, 256, 256);

// A water picture over kArea showing PositionPicture, without random drops.
struct Water {
    Water() {
        water.setGeometry(kArea);
        water.setPicture(PositionPicture());
        water.RandomDelay = 0;
        plain = water.frame().copy();
    }
    void steps(int count) {
        for (int i = 0; i < count; ++i)
            water.advance(WaterImage::kStepMs);
    }
    // Pixels of the frame inside `region` (frame coordinates) that differ from the calm picture.
    int disturbed(const QRect& region) const {
        int count = 0;
        for (int y = region.top(); y <= region.bottom(); ++y)
            for (int x = region.left(); x <= region.right(); ++x)
                count += water.frame().pixel(x, y) != plain.pixel(x, y);
        return count;
    }
    // The longest shift of any pixel, read from the position colours.
    int largestShift() const {
        int largest = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const QRgb pixel = water.frame().pixel(x, y);
                largest = std::max({largest, std::abs(qRed(pixel) - x), std::abs(qGreen(pixel) - y)});
            }
        return largest;
    }

    WaterImage water;
    QImage plain;
};

TEST(WaterImageTest, DropDisturbsThePictureAroundItsPointOnly) {
    Water w;
    // Window point (80, 70) is frame point (50, 50).
    w.water.Blob(80, 70, 0, 1000);
    const QRect changed = w.water.advance(WaterImage::kStepMs);
    w.steps(2);

    EXPECT_GT(w.disturbed(QRect(40, 40, 20, 20)), 30);
    EXPECT_EQ(w.disturbed(QRect(0, 120, 256, 136)), 0);
    EXPECT_EQ(w.disturbed(QRect(120, 0, 136, 256)), 0);
    // The area to repaint is in window coordinates, around the drop's rows and not the whole area.
    EXPECT_TRUE(changed.contains(QPoint(80, 70)));
    EXPECT_LT(changed.height(), 40);

    // Points outside the area start nothing.
    Water outside;
    outside.water.Blob(10, 10, 0, 1000);
    outside.water.Blob(kArea.right() + 1, 70, 8, 1000);
    EXPECT_TRUE(outside.water.advance(WaterImage::kStepMs).isEmpty());
    EXPECT_EQ(outside.disturbed(QRect(0, 0, 256, 256)), 0);
}

TEST(WaterImageTest, DampingDecidesHowLongRipplesLive) {
    // Steps (of 20 ms) until a strong drop has left the picture calm again, or -1 within 10 s.
    const auto stepsToCalm = [](int damping) {
        Water w;
        w.water.Damping = damping;
        w.water.Blob(160, 150, 12, 1000);
        for (int step = 1; step <= 500; ++step) {
            if (w.water.advance(WaterImage::kStepMs).isEmpty())
                return w.disturbed(QRect(0, 0, 256, 256)) == 0 ? step : -2;
        }
        return -1;
    };
    const int usual = stepsToCalm(30);
    EXPECT_GT(usual, 25);    // visible for a while...
    EXPECT_LE(usual, 150);   // ...and gone within three seconds
    EXPECT_LT(stepsToCalm(120), usual);
    EXPECT_EQ(stepsToCalm(0), -1);
}

TEST(WaterImageTest, ResetRipplesShowsThePlainPictureAtOnce) {
    Water w;
    w.water.Blob(100, 100, 6, 1000);
    w.water.mouseMoved(QPoint(40, 200));
    w.water.mouseMoved(QPoint(250, 230));
    w.steps(10);
    ASSERT_GT(w.disturbed(QRect(0, 0, 256, 256)), 1000);

    w.water.ResetRipples();
    EXPECT_EQ(w.disturbed(QRect(0, 0, 256, 256)), 0);
    EXPECT_TRUE(w.water.advance(WaterImage::kStepMs).isEmpty());
    EXPECT_EQ(w.disturbed(QRect(0, 0, 256, 256)), 0);
}

TEST(WaterImageTest, StrongerDropsShiftThePictureFarther) {
    const auto largestShift = [](int strength) {
        Water w;
        w.water.Blob(158, 148, 0, strength);
        w.steps(4);
        return w.largestShift();
    };
    const int weak = largestShift(400);
    const int strong = largestShift(1000);
    EXPECT_GE(weak, 5);
    EXPECT_GE(strong * 10, weak * 22);  // heights add up linearly: about 2.5 times as far
}

TEST(WaterImageTest, WithoutAPictureNothingIsDrawn) {
    WaterImage water;
    water.setGeometry(QRect(0, 0, 40, 30));
    QImage target(40, 30, QImage::Format_RGB32);
    target.fill(QColor(192, 192, 192));
    const QImage before = target.copy();

    const auto paintAll = [&] {
        QPainter painter(&target);
        water.paint(painter, target.rect());
    };
    paintAll();
    EXPECT_EQ(target, before);
    EXPECT_TRUE(water.frame().isNull());
    EXPECT_TRUE(water.advance(1000).isEmpty());

    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    water.setPicture(picture);
    ASSERT_TRUE(water.hasPicture());
    water.clearPicture();
    EXPECT_FALSE(water.hasPicture());
    water.Blob(20, 15, 0, 1000);
    water.advance(WaterImage::kStepMs);
    paintAll();
    EXPECT_EQ(target, before);
}

TEST(WaterImageTest, PictureIsStretchedOverTheAreaIgnoringItsShape) {
    // A wide picture, left half red and right half blue, over a tall area.
    QImage picture(20, 2, QImage::Format_RGB32);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 2; ++y)
            picture.setPixel(x, y, x < 10 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    WaterImage water;
    water.setPicture(picture);
    water.setGeometry(QRect(10, 5, 40, 80));

    QImage target(60, 90, QImage::Format_RGB32);
    target.fill(Qt::green);
    {
        QPainter painter(&target);
        water.paint(painter, target.rect());
    }
    // Filled to every edge of the area: no bars above or below as a kept aspect ratio would leave.
    EXPECT_EQ(target.pixel(11, 6), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(11, 84), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(48, 6), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(48, 84), qRgb(0, 0, 255));
    // Nothing outside the area.
    EXPECT_EQ(target.pixel(9, 40), QColor(Qt::green).rgb());
    EXPECT_EQ(target.pixel(30, 4), QColor(Qt::green).rgb());
    EXPECT_EQ(target.pixel(30, 85), QColor(Qt::green).rgb());

    // Only the exposed part is drawn.
    target.fill(Qt::green);
    {
        QPainter painter(&target);
        water.paint(painter, QRect(0, 0, 20, 20));
    }
    EXPECT_EQ(target.pixel(15, 15), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(25, 15), QColor(Qt::green).rgb());
    EXPECT_EQ(target.pixel(15, 25), QColor(Qt::green).rgb());
}

TEST(WaterImageTest, RandomDropsComeAtTheirPaceWhereChanceSays) {
    struct Case {
        int delay;
        int elapsedMs;
        int drops;
    };
    const Case cases[] = {
        {300, 280, 0},  {300, 300, 1},   {300, 620, 2}, {100, 1000, 10},
        {310, 1240, 4},  // the pace does not drift to whole steps: drops at 320, 620, 940, 1240
        {0, 1000, 0},   {-5, 1000, 0},
    };
    for (const Case& c : cases) {
        Water w;
        w.water.RandomDelay = c.delay;
        int draws = 0;
        // Half of the range: the middle of the area.
        w.water.setRandomSource([&draws] {
            ++draws;
            return 0x80000000u;
        });
        w.steps(c.elapsedMs / WaterImage::kStepMs);
        EXPECT_EQ(draws, 2 * c.drops) << "every " << c.delay << " ms for " << c.elapsedMs << " ms";
        if (c.drops > 0) {
            EXPECT_GT(w.disturbed(QRect(118, 118, 20, 20)), 0);
            EXPECT_EQ(w.disturbed(QRect(0, 0, 40, 40)), 0);
        }
    }
}

TEST(WaterImageTest, ALongPauseIsNotCaughtUp) {
    Water w;
    w.water.RandomDelay = 300;
    int draws = 0;
    w.water.setRandomSource([&draws] {
        ++draws;
        return 0x40000000u;
    });
    // An hour in one go (a suspended machine) runs a few steps, not 180000 steps and 12000 drops.
    w.water.advance(3600 * 1000);
    EXPECT_LE(draws, 2);
    // The pace goes on from there.
    w.steps(15);
    EXPECT_EQ(draws, 2);
}

TEST(WaterImageTest, MouseStartsRipplesAlongItsPathAndWhereItPresses) {
    Water w;
    // Frame row 128 from x 10 to 240, in window coordinates.
    w.water.mouseMoved(QPoint(kArea.left() + 10, kArea.top() + 128));
    w.water.mouseMoved(QPoint(kArea.left() + 240, kArea.top() + 128));
    w.steps(1);
    for (const int x : {12, 60, 125, 190, 238})
        EXPECT_GT(w.disturbed(QRect(x - 2, 118, 4, 20)), 0) << "at x " << x;
    EXPECT_EQ(w.disturbed(QRect(0, 0, 256, 80)), 0);
    EXPECT_EQ(w.disturbed(QRect(0, 180, 256, 76)), 0);

    // The pointer resting or jiggling within one cell adds nothing more.
    Water resting;
    resting.water.mouseMoved(QPoint(100, 100));
    resting.steps(1);
    const QImage once = resting.water.frame().copy();
    Water jiggling;
    jiggling.water.mouseMoved(QPoint(100, 100));
    jiggling.water.mouseMoved(QPoint(101, 101));
    jiggling.water.mouseMoved(QPoint(100, 100));
    jiggling.steps(1);
    EXPECT_EQ(jiggling.water.frame(), once);

    Water pressed;
    pressed.water.leftPressed(QPoint(kArea.left() + 200, kArea.top() + 40));
    pressed.steps(2);
    EXPECT_GT(pressed.disturbed(QRect(190, 30, 20, 20)), 0);
    EXPECT_EQ(pressed.disturbed(QRect(0, 100, 256, 156)), 0);
}

TEST(WaterImageTest, EveryFrameShapeIsDisplacedPixelForPixel) {
    // Rough water over pictures of many shapes: widths that leave frame rows aligned, half
    // aligned or unaligned in memory, odd widths and heights (cells covering one column or one
    // row) and rows longer than one run of cells. Each frame pixel must be the picture pixel
    // the slope above it points to, its cell's 2 × 2 block kept whole inside the picture.
    struct Shape {
        int width;
        int height;
    };
    const Shape shapes[] = {{300, 40}, {298, 21}, {301, 41}, {303, 8}, {2, 2}, {3, 5}, {517, 6}};
    for (const Shape& shape : shapes) {
        std::mt19937 engine(uint32_t(shape.width * 1000 + shape.height));
        QImage plain(shape.width, shape.height, QImage::Format_RGB32);
        for (int y = 0; y < shape.height; ++y)
            for (int x = 0; x < shape.width; ++x)
                plain.setPixel(x, y, 0xFF000000u | (engine() & 0xFFFFFFu));
        RippleField field;
        field.resize((shape.width + 1) / kRippleCellPixels, (shape.height + 1) / kRippleCellPixels);
        for (int i = 0; i < field.width() * field.height(); ++i)
            field.drop(int(engine() % uint32_t(field.width())), int(engine() % uint32_t(field.height())), 0,
                       int(engine() % 1601) - 800);
        std::vector<int> rows(size_t(field.height()));
        for (int row = 0; row < field.height(); ++row)
            rows[size_t(row)] = row;
        QImage frame(shape.width, shape.height, QImage::Format_RGB32);
        frame.fill(Qt::black);

        RenderRippleRows(field, rows, plain, frame);

        int wrong = 0;
        for (int y = 0; y < shape.height; ++y) {
            for (int x = 0; x < shape.width; ++x) {
                const int cx = x / kRippleCellPixels;
                const int cy = y / kRippleCellPixels;
                const int dx = (field.at(cx - 1, cy) - field.at(cx + 1, cy)) / kRippleSlopeDivisor;
                const int dy = (field.at(cx, cy - 1) - field.at(cx, cy + 1)) / kRippleSlopeDivisor;
                const int left = std::clamp(cx * kRippleCellPixels + dx, 0, shape.width - kRippleCellPixels);
                const int top = std::clamp(cy * kRippleCellPixels + dy, 0, shape.height - kRippleCellPixels);
                const QRgb expected = plain.pixel(left + x % kRippleCellPixels, top + y % kRippleCellPixels);
                wrong += frame.pixel(x, y) != expected;
            }
        }
        EXPECT_EQ(wrong, 0) << shape.width << " x " << shape.height;
    }
}

}  // namespace
