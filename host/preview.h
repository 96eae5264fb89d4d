#pragma once
// The preview: four lines of text drawn straight into a window of another program, where they
// stay after this process has ended.

#include <optional>
#include <string>

// The preview window's handle from its decimal text; nothing when the text is no such number.
std::optional<unsigned long> ParseWindowHandle(const std::string& text);

// The message a failed integer conversion reports, naming the text: '12x' is not a valid integer
// value.
std::string InvalidIntegerMessage(const std::string& text);

// How long the preview waits for its window to become visible before it gives up.
inline constexpr int kPreviewWaitMilliseconds = 10000;

// Waits until the X11 window `handle` is viewable, then draws the four preview lines into it:
// white text, each on an opaque black box the size of its text. Returns an empty text on success,
// otherwise what went wrong (no display, no such window, never visible).
std::string DrawPreview(unsigned long handle, int waitMilliseconds = kPreviewWaitMilliseconds);
