#include "cleaner/engine/WipePattern.h"

#include <cstring>

namespace {

// A linear congruential generator, never seeded; each thread has its own.
thread_local uint32_t t_dwRandomState = 1;

unsigned NextRandom()
{
    t_dwRandomState = t_dwRandomState * 214013u + 2531011u;
    return (t_dwRandomState >> 16) & 0x7FFF;
}

}  // namespace

void FillWipeBlock(uint32_t dwWipeMode, unsigned char (&block)[kWipeBlockSize])
{
    if (dwWipeMode == WIPE_ONES) {
        std::memset(block, 0xFF, sizeof(block));
        return;
    }
    for (unsigned char& byte : block)
        byte = static_cast<unsigned char>(NextRandom());
}

void FillFillerBlock(unsigned char (&block)[kFillerBlockSize])
{
    for (size_t i = 0; i < kFillerBlockSize; ++i)
        block[i] = static_cast<unsigned char>(i % 257 % 256);
}
