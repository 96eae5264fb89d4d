#pragma once
// The saver rendered once to a picture file, without showing a window: for documentation, for
// machines without a display and for tests that look at pixels.

#include "calendar/date_time.h"

#include <QImage>
#include <QSize>
#include <QStringList>

#include <optional>
#include <string>
#include <variant>

class TfrmScreenSaver;

// What a snapshot request asks for.
struct SnapshotOptions {
    std::string outputPath;
    std::optional<QSize> size;    // the primary screen's size when absent
    std::optional<DateTime> now;  // the real clock when absent
};

// True when the arguments hold --snapshot.
bool HasSnapshotOption(const QStringList& arguments);

// Reads --snapshot FILE.png, --size WxH and --now YYYY-MM-DDTHH:MM:SS from anywhere in the
// arguments; a message saying what is wrong otherwise.
std::variant<SnapshotOptions, std::string> ParseSnapshotOptions(const QStringList& arguments);

// The window as it looks after creation and a second of ripples (the water simulated, not waited
// for).
QImage RenderSnapshot(TfrmScreenSaver& window);
