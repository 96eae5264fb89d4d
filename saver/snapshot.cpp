#include "saver/snapshot.h"

#include "components/water_image.h"
#include "saver/f_matrix.h"

#include <QDateTime>
#include <QRegularExpression>

#include "saver/saver_clock.h"

namespace {

// Large enough for any screen, small enough that a typing error does not ask for gigabytes.
constexpr int kMaxSnapshotSide = 16384;

std::optional<QSize> ParseSize(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,5})[xX]([0-9]{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (width < 1 || height < 1 || width > kMaxSnapshotSide || height > kMaxSnapshotSide)
        return std::nullopt;
    return QSize(width, height);
}

std::optional<DateTime> ParseNow(const QString& text)
{
    const QDateTime parsed = QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    if (!parsed.isValid())
        return std::nullopt;
    return DateTimeFromQt(parsed);
}

}  // namespace

bool HasSnapshotOption(const QStringList& arguments)
{
    return arguments.contains(QStringLiteral("--snapshot"));
}

std::variant<SnapshotOptions, std::string> ParseSnapshotOptions(const QStringList& arguments)
{
    SnapshotOptions options;
    bool haveOutput = false;
    // The first argument is the program and the second may be the saver switch; options may
    // stand anywhere after it.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool known = argument == QLatin1String("--snapshot") ||
                           argument == QLatin1String("--size") || argument == QLatin1String("--now");
        if (!known)
            continue;
        if (i + 1 >= arguments.size())
            return argument.toStdString() + " needs a value";
        const QString value = arguments.at(++i);
        if (argument == QLatin1String("--snapshot")) {
            if (value.isEmpty())
                return std::string("--snapshot needs a file name");
            options.outputPath = value.toStdString();
            haveOutput = true;
        } else if (argument == QLatin1String("--size")) {
            options.size = ParseSize(value);
            if (!options.size)
                return "--size wants WIDTHxHEIGHT with each side 1 to " +
                       std::to_string(kMaxSnapshotSide) + ", not \"" + value.toStdString() + "\"";
        } else {
            options.now = ParseNow(value);
            if (!options.now)
                return "--now wants YYYY-MM-DDTHH:MM:SS, not \"" + value.toStdString() + "\"";
        }
    }
    if (!haveOutput)
        return std::string("--snapshot needs a file name");
    return options;
}

QImage RenderSnapshot(TfrmScreenSaver& window)
{
    for (int elapsed = 0; elapsed < 1000; elapsed += WaterImage::kStepMs)
        window.advanceWater(WaterImage::kStepMs);
    QImage image(window.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    window.render(&image);
    return image;
}
