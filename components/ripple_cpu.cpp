#include "components/ripple_cpu.h"

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>

namespace {

// Built for AVX on its own, so the rest of the program keeps running on processors without it.
__attribute__((target("avx"))) void ZeroUpperHalves() {
    _mm256_zeroupper();
}

}  // namespace

void SettleVectorRegisters() {
    static const bool haveWideRegisters = __builtin_cpu_supports("avx");
    if (haveWideRegisters)
        ZeroUpperHalves();
}

#else

void SettleVectorRegisters() {}

#endif
