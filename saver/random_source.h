#pragma once
// The saver's source of chance: the picture drawn from the folder, the random colours and the
// water's random drops all come from it, and tests replace it with a fixed sequence.

#include <cstdint>
#include <random>

// Uniform draws, reseeded from the clock on request.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Starts a fresh sequence from the current time.
    virtual void seedFromClock() = 0;
    // 32 uniformly distributed bits.
    virtual uint32_t next32() = 0;
    // A uniform real number in [0, 1).
    virtual double uniform();
    // A uniform whole number in 0 .. n - 1; 0 when n is 1 or less.
    virtual int below(int n);
};

// The program's random source: a Mersenne twister seeded from the high-resolution clock.
class ClockSeededRandom final : public RandomSource {
public:
    ClockSeededRandom();
    void seedFromClock() override;
    uint32_t next32() override;

private:
    std::mt19937 engine_;
};
