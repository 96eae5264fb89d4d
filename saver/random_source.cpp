#include "saver/random_source.h"

#include <chrono>

double RandomSource::uniform()
{
    // 53 random bits over 2^53: every value is exactly representable and strictly below 1, which
    // a float-rounding distribution cannot promise.
    const uint64_t high = next32() >> 5;  // 27 bits
    const uint64_t low = next32() >> 6;   // 26 bits
    return static_cast<double>((high << 26) | low) / 9007199254740992.0;
}

int RandomSource::below(int n)
{
    if (n <= 1)
        return 0;
    // Rejection keeps every index equally likely, whatever n is.
    const uint32_t range = static_cast<uint32_t>(n);
    const uint32_t limit = UINT32_MAX - UINT32_MAX % range;
    uint32_t value = next32();
    while (value >= limit)
        value = next32();
    return static_cast<int>(value % range);
}

ClockSeededRandom::ClockSeededRandom()
{
    seedFromClock();
}

void ClockSeededRandom::seedFromClock()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
    engine_.seed(seed);
}

uint32_t ClockSeededRandom::next32()
{
    return static_cast<uint32_t>(engine_());
}
