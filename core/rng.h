// The program's one pseudo-random generator: the linear congruential
// generator state = state * 214013 + 2531011 (mod 2^32), each draw
// (state >> 16) & 0x7FFF. Reproducible on every platform.
#pragma once

#include <cstdint>

namespace tervan {

struct Rng {
    std::uint32_t state = 1;  // the unseeded state

    void seed(std::uint32_t s) { state = s; }
    // Uniform over 0..32767.
    int draw() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

}  // namespace tervan
