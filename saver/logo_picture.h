#pragma once
// The logo in the saver's corner: logo.png stretched to the bounds the settings give it. It never
// moves, not even while the text scrolls.

#include <QImage>
#include <QRect>

#include <optional>
#include <string>

class QPainter;

// The logo picture and its bounds; without a picture it draws nothing.
class LogoPicture {
public:
    // Loads the file; returns a message naming the file when it exists but cannot be decoded
    // (the logo then stays empty).
    std::optional<std::string> load(const std::string& path);
    void setBounds(const QRect& bounds);
    const QRect& bounds() const { return bounds_; }
    bool hasPicture() const { return !picture_.isNull(); }
    // The area the logo paints on; empty without a picture or with bounds of no size.
    QRect paintedArea() const;
    void paint(QPainter& painter) const;

private:
    void rescale();

    QImage picture_;
    QImage scaled_;  // the picture stretched to the bounds once, so a frame only copies it
    QRect bounds_;
};
