#pragma once

#include <cstdint>

// A small, fast pseudo-random source for effects that scatter pixels. Seeded from the text and
// style, it draws the same sequence every time, so a label looks the same each time it is redrawn.
class EffectRandom {
public:
    explicit EffectRandom(uint64_t seed) : state_(seed) {}

    // splitmix64: good spread even from nearby seeds, one multiply-xorshift round per draw.
    uint32_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return uint32_t((z ^ (z >> 31)) >> 32);
    }

private:
    uint64_t state_;
};
