#pragma once
// When the background picture is due to be replaced by another random one.

#include "calendar/date_time.h"

// The replacement state of picture mode.
struct PictureRotationState {
    bool PictureRotation = false;      // armed; cleared while a replacement runs
    int PictureInterval = 60;          // seconds
    DateTime LastPictureChange = 0.0;  // when the current interval began
};

// Whole seconds between two moments, either order, fractions cut off. The difference is taken to
// the millisecond first, so exactly 60 s apart never reads as 59.
long long WholeSecondsBetween(DateTime a, DateTime b);

// Armed and at least PictureInterval whole seconds since the last change, counting a clock set
// back like one set forward.
bool PictureReplacementDue(const PictureRotationState& state, DateTime now);
