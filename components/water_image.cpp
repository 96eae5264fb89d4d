#include "components/water_image.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>

#include <QPainter>

#include "components/ripple_render.h"

namespace {

// A late frame timer is caught up by at most this many steps; a longer pause (a suspended
// machine, a blocked event loop) is let go instead of being simulated, and its random drops
// with it, so the first frame after it does not stall or boil over.
constexpr int kMaxCatchUpSteps = 5;

// Random drops are small rounded bumps rather than single points: they spread as clean rings
// instead of a fringe of fine ripples.
constexpr int kRandomDropRadius = 12;  // pixels

std::function<uint32_t()> ClockSeededSource() {
    const auto seed = uint32_t(std::chrono::steady_clock::now().time_since_epoch().count() ^
                               std::chrono::system_clock::now().time_since_epoch().count());
    return [engine = std::mt19937(seed)]() mutable { return uint32_t(engine()); };
}

// A whole number in 0 … n − 1 from a uniform 32-bit value.
int Below(uint32_t value, int n) {
    return int((uint64_t(value) * uint64_t(n)) >> 32);
}

// The cell holding a pixel offset, rounding down also left of and above the area.
int CellOf(int offset) {
    return offset >= 0 ? offset / kRippleCellPixels : (offset - kRippleCellPixels + 1) / kRippleCellPixels;
}

int CellsFor(int pixels) {
    return (pixels + kRippleCellPixels - 1) / kRippleCellPixels;
}

}  // namespace

WaterImage::WaterImage() : random_(ClockSeededSource()) {}

WaterImage::~WaterImage() = default;

void WaterImage::setRandomSource(std::function<uint32_t()> next) {
    random_ = next ? std::move(next) : ClockSeededSource();
}

void WaterImage::setGeometry(const QRect& area) {
    const bool resized = area.size() != area_.size();
    area_ = area;
    if (resized)
        rebuild();
}

QRect WaterImage::geometry() const {
    return area_;
}

void WaterImage::setPicture(const QImage& picture) {
    picture_ = picture;
    rebuild();
}

void WaterImage::clearPicture() {
    picture_ = QImage();
    rebuild();
}

bool WaterImage::hasPicture() const {
    return !picture_.isNull();
}

void WaterImage::rebuild() {
    field_.resize(0, 0);
    rendered_.clear();
    plain_ = QImage();
    frame_ = QImage();
    fieldChanged_ = false;
    if (picture_.isNull() || area_.isEmpty())
        return;
    // A picture with transparent parts keeps them, so that the window's colour shows through
    // as it would under the plain picture.
    const QImage::Format format =
        picture_.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    plain_ = picture_.scaled(area_.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 .convertToFormat(format);
    // An own copy, written row by row from now on; it must never share its pixels with plain_.
    frame_ = plain_.copy();
    field_.resize(CellsFor(area_.width()), CellsFor(area_.height()));
    rendered_.assign(field_.height(), 0);
}

void WaterImage::ResetRipples() {
    field_.clear();
    for (int row = 0; row < int(rendered_.size()); ++row) {
        if (rendered_[row])
            CopyPlainRow(row, plain_, frame_);
        rendered_[row] = 0;
    }
    fieldChanged_ = false;
}

void WaterImage::Blob(int x, int y, int radius, int strength) {
    if (frame_.isNull() || !area_.contains(x, y))
        return;
    const int cellRadius = (std::max(radius, 0) + kRippleCellPixels - 1) / kRippleCellPixels;
    field_.drop((x - area_.left()) / kRippleCellPixels, (y - area_.top()) / kRippleCellPixels,
                cellRadius, strength);
    fieldChanged_ = true;
}

void WaterImage::mouseMoved(QPoint pos) {
    if (!havePointer_)
        Blob(pos.x(), pos.y(), Radius, TrackBlob);
    else
        dropAlongPath(lastPointer_, pos);
    havePointer_ = true;
    lastPointer_ = pos;
}

void WaterImage::leftPressed(QPoint pos) {
    Blob(pos.x(), pos.y(), Radius, ClickBlob);
    havePointer_ = true;
    lastPointer_ = pos;
}

void WaterImage::dropAlongPath(QPoint from, QPoint to) {
    // One drop per grid cell the pointer crossed, the cell it came from excluded: a pointer
    // jiggling inside one cell would otherwise pile drop upon drop there.
    const QPoint origin = area_.topLeft();
    const auto cell = [&](QPoint p) {
        return QPoint(CellOf(p.x() - origin.x()), CellOf(p.y() - origin.y()));
    };
    const QPoint start = cell(from);
    const QPoint end = cell(to);
    const int steps = std::max(std::abs(end.x() - start.x()), std::abs(end.y() - start.y()));
    for (int i = 1; i <= steps; ++i) {
        const int cx = start.x() + (end.x() - start.x()) * i / steps;
        const int cy = start.y() + (end.y() - start.y()) * i / steps;
        Blob(origin.x() + cx * kRippleCellPixels, origin.y() + cy * kRippleCellPixels, Radius, TrackBlob);
    }
}

QRect WaterImage::advance(int elapsedMs) {
    if (frame_.isNull())
        return {};
    pendingMs_ += std::max(elapsedMs, 0);
    int steps = pendingMs_ / kStepMs;
    pendingMs_ %= kStepMs;
    steps = std::min(steps, kMaxCatchUpSteps);
    for (int i = 0; i < steps; ++i) {
        if (RandomDelay > 0) {
            sinceRandomMs_ += kStepMs;
            while (sinceRandomMs_ >= RandomDelay) {
                sinceRandomMs_ -= RandomDelay;
                const int x = area_.left() + Below(random_(), area_.width());
                const int y = area_.top() + Below(random_(), area_.height());
                Blob(x, y, kRandomDropRadius, RandomBlob);
            }
        } else {
            sinceRandomMs_ = 0;
        }
        field_.step(Damping);
        fieldChanged_ = true;
    }
    if (!fieldChanged_)
        return {};
    return renderChangedRows();
}

QRect WaterImage::renderChangedRows() {
    fieldChanged_ = false;
    sloped_.clear();
    int first = -1;
    int last = -1;
    for (int row = 0; row < field_.height(); ++row) {
        const bool sloped = field_.rowSloped(row);
        if (sloped)
            sloped_.push_back(row);
        else if (rendered_[row])
            CopyPlainRow(row, plain_, frame_);  // the water above just became still
        else
            continue;
        rendered_[row] = sloped;
        if (first < 0)
            first = row;
        last = row;
    }
    RenderRippleRows(field_, sloped_, plain_, frame_);
    if (first < 0)
        return {};
    const int top = first * kRippleCellPixels;
    const int bottom = std::min((last + 1) * kRippleCellPixels, area_.height());
    return QRect(area_.left(), area_.top() + top, area_.width(), bottom - top);
}

void WaterImage::paint(QPainter& painter, const QRect& exposed) const {
    if (frame_.isNull())
        return;
    const QRect target = exposed.intersected(area_);
    if (target.isEmpty())
        return;
    painter.drawImage(target, frame_, target.translated(-area_.topLeft()));
}

const QImage& WaterImage::frame() const {
    return frame_;
}
