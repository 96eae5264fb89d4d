#include "saver/scroll_motion.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// Tops stay within int however long a downward step runs or however large a stored value is;
// a block that has left the screen for good may stop at the edge of the range.
int Clamped(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

ScrollLayout CaptureScrollLayout(const ScrollBlockTops& placed, int scrollStep, int screenHeight)
{
    ScrollLayout layout;
    layout.TitleHomeTop = placed.title;
    layout.NOffset = Clamped(static_cast<long long>(placed.title) - placed.n);
    layout.StartEndOffset = Clamped(static_cast<long long>(placed.title) - placed.startEnd);
    layout.LtwOffset = Clamped(static_cast<long long>(placed.title) - placed.ltw);
    layout.ScrollStep = scrollStep;
    layout.screenHeight = screenHeight;
    return layout;
}

void PlaceBelowTitle(ScrollBlockTops& tops, const ScrollLayout& layout)
{
    tops.n = Clamped(static_cast<long long>(tops.title) - layout.NOffset);
    tops.startEnd = Clamped(static_cast<long long>(tops.title) - layout.StartEndOffset);
    tops.ltw = Clamped(static_cast<long long>(tops.title) - layout.LtwOffset);
}

bool ScrollTick(ScrollBlockTops& tops, const ScrollLayout& layout, int ltwHeight)
{
    const long long step = layout.ScrollStep;
    tops.title = Clamped(tops.title - step);
    PlaceBelowTitle(tops, layout);

    // Only the calendar line decides the wrap; the others follow the title at the next tick.
    if (static_cast<long long>(tops.ltw) + ltwHeight <= 0)
        tops.title = layout.screenHeight - 1;

    const long long distance = std::llabs(static_cast<long long>(layout.TitleHomeTop) - tops.title);
    if (distance > step)
        return false;
    // Rest one step above home: resting at home itself would stop again at the next tick.
    tops.title = Clamped(layout.TitleHomeTop - step);
    PlaceBelowTitle(tops, layout);
    return true;
}

ScrollMotion::ScrollMotion(const ScrollLayout& layout, const ScrollBlockTops& tops, bool scrolling)
    : layout_(layout), tops_(tops), phase_(scrolling ? ScrollPhase::Moving : ScrollPhase::Still)
{
}

void ScrollMotion::Timer_scrollTimer(int ltwHeight)
{
    if (phase_ != ScrollPhase::Moving)
        return;
    if (ScrollTick(tops_, layout_, ltwHeight))
        phase_ = ScrollPhase::Pausing;
}

void ScrollMotion::Timer_delayTimer()
{
    if (phase_ == ScrollPhase::Pausing)
        phase_ = ScrollPhase::Moving;
}
