// The bytes that overwrite files and free space. Portable code.
#pragma once

#include <cstddef>
#include <cstdint>

const size_t kWipeBlockSize = 1024;

enum WipeMode : uint32_t {
    WIPE_NONE = 0,
    WIPE_ONES = 1,    // every byte 0xFF
    WIPE_RANDOM = 2,  // pseudo-random bytes; any unknown mode wipes this way
};

// Fills one block for one file. Random blocks come from a generator whose
// state starts at 1 on each thread and carries on from file to file.
void FillWipeBlock(uint32_t dwWipeMode, unsigned char (&block)[kWipeBlockSize]);

// The block that fills the free space of a drive: byte i is (i mod 257) mod
// 256, so 0, 1, ..., 255, 0, 0, 1, 2, ...
const size_t kFillerBlockSize = 4096;
void FillFillerBlock(unsigned char (&block)[kFillerBlockSize]);
