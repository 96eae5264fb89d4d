#pragma once
// The endless upward scrolling of the saver's text block: the title moves up a step per tick, the
// other labels follow at their fixed distances, the block wraps to the bottom once the calendar line
// has left the top, and it comes to rest one step above its home for a pause.

// The tops of the four labels of the text block, in window pixels.
struct ScrollBlockTops {
    int title = 0;
    int n = 0;
    int startEnd = 0;
    int ltw = 0;
    friend bool operator==(const ScrollBlockTops&, const ScrollBlockTops&) = default;
};

// What the layout fixed at creation: the home of the title and each label's distance to it.
struct ScrollLayout {
    int TitleHomeTop = 0;
    int NOffset = 0;         // top of the title minus top of N
    int StartEndOffset = 0;  // top of the title minus top of StartEnd
    int LtwOffset = 0;       // top of the title minus top of ltw
    int ScrollStep = 1;      // pixels per tick; 0 never moves, a negative step moves down
    int screenHeight = 0;
};

// Which of the two timers runs: Still never changes, Moving runs the scroll timer, Pausing the
// delay timer.
enum class ScrollPhase { Still, Moving, Pausing };

// Captures the layout from the tops the labels have right after they were placed.
ScrollLayout CaptureScrollLayout(const ScrollBlockTops& placed, int scrollStep, int screenHeight);

// N, StartEnd and ltw placed at their distances from the title's current top.
void PlaceBelowTitle(ScrollBlockTops& tops, const ScrollLayout& layout);

// One tick of the scroll timer; ltwHeight is the calendar line's current height. Returns true when
// the block has come to rest (the pause begins).
bool ScrollTick(ScrollBlockTops& tops, const ScrollLayout& layout, int ltwHeight);

// The scrolling state machine over the block's tops.
class ScrollMotion {
public:
    ScrollMotion(const ScrollLayout& layout, const ScrollBlockTops& tops, bool scrolling);

    ScrollPhase phase() const { return phase_; }
    const ScrollBlockTops& tops() const { return tops_; }
    const ScrollLayout& layout() const { return layout_; }

    // A tick of the scroll timer: moves the block, and from Moving enters Pausing at rest.
    void Timer_scrollTimer(int ltwHeight);
    // A tick of the delay timer: the pause ends and the block moves again.
    void Timer_delayTimer();

private:
    ScrollLayout layout_;
    ScrollBlockTops tops_;
    ScrollPhase phase_;
};
