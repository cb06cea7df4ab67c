// The fuzzers' one source of chance. Its whole state comes from the printed
// seed, so a run can be repeated input for input.
#pragma once

#include <stddef.h>
#include <stdint.h>

class FuzzRandom
{
public:
    explicit FuzzRandom(uint64_t seed) : m_state(seed) {}

    // SplitMix64: small, fast and good enough to pick edits.
    uint64_t Next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 to bound - 1; bound must not be 0.
    size_t Below(size_t bound) { return static_cast<size_t>(Next() % bound); }

    bool OneIn(size_t n) { return Below(n) == 0; }

private:
    uint64_t m_state;
};

// FNV-1a of the bytes: names the files of findings and picks the variants a
// driver derives from an input, so a replay derives the same ones.
inline uint64_t InputHash(const void* data, size_t length)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    uint64_t hash = 0xCBF29CE484222325ull;
    for (size_t i = 0; i < length; ++i)
    {
        hash ^= bytes[i];
        hash *= 0x100000001B3ull;
    }
    return hash;
}
