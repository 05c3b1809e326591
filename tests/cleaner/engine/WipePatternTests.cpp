// The bytes that a wipe writes: a block of 0xFF, or the generator's bytes.
#include "cleaner/engine/WipePattern.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

typedef std::vector<unsigned char> Block;

static Block FillOnNewThread(std::vector<uint32_t> modes)
{
    Block bytes;
    std::thread([&] {
        for (uint32_t dwMode : modes) {
            unsigned char block[kWipeBlockSize];
            FillWipeBlock(dwMode, block);
            bytes.insert(bytes.end(), block, block + kWipeBlockSize);
        }
    }).join();
    return bytes;
}

// The generator's first values from state 1 are 41, 18467, 6334, 26500,
// 19169, 15724; each byte is the low eight bits of one value. Another thread
// starts over, an unknown mode wipes the same way, and on one thread the
// generator carries on from file to file.
TEST(WipePattern, OnesOrTheGeneratorFromStateOneOnEveryThreadAndTheFillerModulo257)
{
    EXPECT_EQ(FillOnNewThread({WIPE_ONES}), Block(kWipeBlockSize, 0xFF));
    const Block first = FillOnNewThread({WIPE_RANDOM}), two = FillOnNewThread({7, WIPE_RANDOM});
    EXPECT_EQ(Block(first.begin(), first.begin() + 6), (Block{0x29, 0x23, 0xBE, 0x84, 0xE1, 0x6C}));
    EXPECT_EQ(Block(two.begin(), two.begin() + kWipeBlockSize), first);
    EXPECT_NE(Block(two.begin() + kWipeBlockSize, two.end()), first);
    unsigned char filler[kFillerBlockSize];
    FillFillerBlock(filler);
    for (size_t i : {0, 255, 256, 257, 258, 4095})
        EXPECT_EQ(filler[i], i % 257 % 256) << i;
}
