#include "saver_window_fixture.h"

#include "saver/run_saver.h"
#include "saver/snapshot.h"

#include <QApplication>
#include <QPainter>

namespace {

const QColor kSkyBlue(166, 202, 240);

// The label drawn alone on the background colour, the size of its own box.
QImage RenderedAlone(const StyledLabel& label, QColor background)
{
    QImage alone(label.geometry().size(), QImage::Format_RGB32);
    alone.fill(background);
    QPainter painter(&alone);
    painter.translate(-label.left(), -label.top());
    label.paint(painter);
    return alone;
}

int PixelsUnlike(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += QColor(image.pixel(x, y)) != colour;
    return count;
}

TEST_F(SaverWindowTest, SnapshotOfOneSaverStartShowsEachLabelAtItsPlace)
{
    setDate(Setting::StartDate, EncodeDate(2024, 1, 1));
    setInteger(Setting::Mode, 1);  // colour mode: no ripples in the way of the comparison
    clock->set(EncodeDateTime(2024, 1, 11, 9, 30, 0));
    const auto window = create();
    const QImage shot = RenderSnapshot(*window);
    ASSERT_EQ(shot.size(), QSize(1920, 1080));

    EXPECT_EQ(window->label(SaverLabel::N).text(), QStringLiteral("第 10 天"));
    EXPECT_EQ(window->label(SaverLabel::StartEnd).text(),
              QStringLiteral("2024年1月1日 至 2024年1月11日"));
    EXPECT_TRUE(window->label(SaverLabel::ltw).text().startsWith(QStringLiteral("癸卯(兔)年 十二月初一  ")));

    for (const SaverLabel which : {SaverLabel::Title, SaverLabel::N, SaverLabel::StartEnd,
                                   SaverLabel::ltw}) {
        const StyledLabel& label = window->label(which);
        SCOPED_TRACE(label.text().toStdString());
        ASSERT_TRUE(QRect(0, 0, 1920, 1080).contains(label.geometry()));
        const QImage alone = RenderedAlone(label, kSkyBlue);
        EXPECT_GT(PixelsUnlike(alone, kSkyBlue), 500);  // there is text to find
        EXPECT_EQ(shot.copy(label.geometry()), alone);
    }
    // Away from the text the background shows plain.
    EXPECT_EQ(QColor(shot.pixel(5, 1075)), kSkyBlue);
}

TEST_F(SaverWindowTest, SnapshotOfPictureModeShowsRipples)
{
    QImage stripes(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            stripes.setPixel(x, y, qRgb(x, y, (x * 7 + y * 3) & 255));
    std::filesystem::create_directories(dir.file("pic"));
    ASSERT_TRUE(stripes.save(QString::fromStdString(dir.file("pic/s.png"))));
    random = std::make_shared<ScriptedRandom>(
        std::vector<uint32_t>{0x12345678u, 0x9abcdef0u, 0x0fedcba9u, 0x87654321u, 0x31415926u});
    const auto calm = create(QSize(320, 240));
    const QImage still = calm->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto window = create(QSize(320, 240));
    const QImage rippled = RenderSnapshot(*window);
    EXPECT_NE(rippled, still);
}

TEST(SnapshotOptions, ParsesOrSaysWhatIsWrong)
{
    const auto parse = [](QStringList arguments) {
        arguments.prepend(QStringLiteral("saver"));
        return ParseSnapshotOptions(arguments);
    };
    const auto good = parse({"/s", "--snapshot", "out.png", "--size", "800x600", "--now",
                             "2024-01-11T09:30:00"});
    ASSERT_TRUE(std::holds_alternative<SnapshotOptions>(good));
    const SnapshotOptions& options = std::get<SnapshotOptions>(good);
    EXPECT_EQ(options.outputPath, "out.png");
    EXPECT_EQ(options.size, QSize(800, 600));
    EXPECT_EQ(options.now, EncodeDateTime(2024, 1, 11, 9, 30, 0));

    const auto plain = parse({"--snapshot", "a.png"});
    ASSERT_TRUE(std::holds_alternative<SnapshotOptions>(plain));
    EXPECT_FALSE(std::get<SnapshotOptions>(plain).size);
    EXPECT_FALSE(std::get<SnapshotOptions>(plain).now);

    const QStringList bad[] = {
        {"--snapshot"},
        {"--size", "800x600"},
        {"--snapshot", "a.png", "--size", "800"},
        {"--snapshot", "a.png", "--size", "0x600"},
        {"--snapshot", "a.png", "--size", "99999x600"},
        {"--snapshot", "a.png", "--now", "2024-02-30T09:30:00"},
        {"--snapshot", "a.png", "--now", "yesterday"},
        {"--snapshot", "a.png", "--now"},
    };
    for (const QStringList& arguments : bad) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const auto result = parse(arguments);
        ASSERT_TRUE(std::holds_alternative<std::string>(result));
        EXPECT_FALSE(std::get<std::string>(result).empty());
    }
}

TEST(SnapshotOptions, RunWritesThePictureOrFailsLoudly)
{
    TempDir dir;
    QApplication& app = *qApp;
    const std::string out = dir.file("shot.png");
    EXPECT_EQ(RunSaverSnapshot(app, {"saver", "--snapshot", QString::fromStdString(out), "--size",
                                     "200x150"}),
              0);
    EXPECT_EQ(QImage(QString::fromStdString(out)).size(), QSize(200, 150));

    EXPECT_NE(RunSaverSnapshot(app, {"saver", "--snapshot", QString::fromStdString(
                                         dir.file("missing/folder/shot.png")), "--size", "20x15"}),
              0);
    EXPECT_NE(RunSaverSnapshot(app, {"saver", "--snapshot", "x.png", "--size", "wide"}), 0);
    EXPECT_TRUE(IsSnapshotRequest({"saver", "/s", "--snapshot", "x.png"}));
    EXPECT_FALSE(IsSnapshotRequest({"saver", "/s"}));
}

}  // namespace
