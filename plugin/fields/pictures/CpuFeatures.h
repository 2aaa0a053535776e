#pragma once

// What the CPU and the operating system offer to the picture loops, asked once, and the one
// instruction the SSE2 loops need from AVX. The only compiler-specific code of the plug-in
// besides the AVX2 loops, which live in their own sources compiled for AVX2 (*Avx2.cpp).
class CpuFeatures
{
public:
    // AVX: the CPU has it and the operating system saves the full vector registers.
    static bool hasAvx();
    // AVX2 as well as AVX.
    static bool hasAvx2();

    // Legacy SSE instructions run several times slower on some CPUs (seen here on AMD Zen 4) while
    // the upper halves of the vector registers hold what AVX code elsewhere in the process (the C
    // library's string functions, for one) left there, and the state lasts until something clears
    // it. The picture loops compiled for SSE call this first; it does nothing on CPUs without AVX.
    static void clearUpperVectorHalves();
};
