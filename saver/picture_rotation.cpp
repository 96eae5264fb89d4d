#include "saver/picture_rotation.h"

#include <cmath>

long long WholeSecondsBetween(DateTime a, DateTime b)
{
    return std::llround(std::fabs(a - b) * 86400000.0) / 1000;
}

bool PictureReplacementDue(const PictureRotationState& state, DateTime now)
{
    return state.PictureRotation &&
           WholeSecondsBetween(now, state.LastPictureChange) >= state.PictureInterval;
}
