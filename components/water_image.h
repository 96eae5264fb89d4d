#pragma once
// The saver's background picture: stretched over an area and animated with water ripples.

#include <cstdint>
#include <functional>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>

#include "components/ripple_field.h"

class QPainter;

// A picture stretched over an area, animated with water ripples. A graphic object, not a widget:
// the owning window runs the frame timer, forwards mouse input in window coordinates, calls
// advance() and paints the object in its own paintEvent.
//
// Units. A strength is the height a drop adds to the water surface; the picture is displaced by
// the slope of that surface, so a drop of 1000 shifts the picture two and a half times as far as
// one of 400. Damping is the share of every ripple's height lost per simulation step, in 1/512ths:
// larger values make ripples die faster, 0 keeps them going for ever; at 30 a drop is gone to the
// eye after about a second and a half and the water is still after two and a half; values beyond
// 255 act as 255. Heights saturate at ±8191, so piled-up drops flatten instead of wrapping.
// Radius is in window pixels; 0 is a single point.
class WaterImage {
public:
    // The simulation runs in steps of this many milliseconds whatever the frame rate; a frame
    // timer with this interval shows every step (50 frames a second).
    static constexpr int kStepMs = 20;

    WaterImage();
    ~WaterImage();
    WaterImage(const WaterImage&) = delete;
    WaterImage& operator=(const WaterImage&) = delete;

    int ClickBlob = 400;
    int TrackBlob = 400;
    int Radius = 0;
    int RandomBlob = 1000;
    int RandomDelay = 300;  // milliseconds between random drops; 0 or less: no random drops
    int Damping = 30;

    // Replaces the source of chance (uniform 32-bit values); by default one seeded from the clock.
    void setRandomSource(std::function<uint32_t()> next);

    // The area in window coordinates. A new size stretches the picture again and calms the water;
    // a move alone keeps both.
    void setGeometry(const QRect& area);
    QRect geometry() const;

    // A new picture (or none) starts on calm water.
    void setPicture(const QImage& picture);
    void clearPicture();
    bool hasPicture() const;

    // All ripples vanish; the frame is the plain stretched picture at once.
    void ResetRipples();

    // Starts a ripple at x, y (window coordinates) of `radius` pixels with the given strength.
    // Ignored while there is no picture or the point lies outside the area.
    void Blob(int x, int y, int radius, int strength);
    // Drops of TrackBlob along the path from the last known pointer position to `pos`.
    void mouseMoved(QPoint pos);
    // A drop of ClickBlob at the point.
    void leftPressed(QPoint pos);

    // Advances the simulation by elapsedMs (random drops every RandomDelay ms); returns the area
    // that changed and must be repainted (empty when calm and nothing changed). A long pause (a
    // suspended machine, a stalled event loop) is not caught up: at most a few steps run.
    QRect advance(int elapsedMs);

    // Draws the part of the current frame that lies in `exposed` (window coordinates). Without a
    // picture nothing is drawn, so whatever lies below shows through.
    void paint(QPainter& painter, const QRect& exposed) const;
    // The rendered frame, the size of the area (null without a picture or area).
    const QImage& frame() const;

private:
    void rebuild();
    void dropAlongPath(QPoint from, QPoint to);
    QRect renderChangedRows();

    std::function<uint32_t()> random_;
    QRect area_;
    QImage picture_;   // as loaded
    QImage plain_;     // stretched to the area's size, the calm frame
    QImage frame_;     // plain_ displaced by the ripples
    RippleField field_;
    std::vector<uint8_t> rendered_;  // per grid row: the frame row shows displacement
    std::vector<int> sloped_;        // grid rows to displace in this frame (kept for its capacity)
    bool fieldChanged_ = false;
    int pendingMs_ = 0;      // time not yet simulated, below one step
    int sinceRandomMs_ = 0;  // time since the last random drop
    bool havePointer_ = false;
    QPoint lastPointer_;
};
