// The bytes that a wipe writes: a block of 0xFF, or the generator's bytes.
#include "cleaner/engine/WipePattern.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

typedef std::vector<unsigned char> Block;

Block FillOnNewThread(std::vector<uint32_t> modes)
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

}  // namespace

// The generator's first values from state 1 are 41, 18467, 6334, 26500,
// 19169, 15724; each byte is the low eight bits of one value.
TEST(WipePattern, OnesOrTheGeneratorFromStateOneOnEveryThread)
{
    EXPECT_EQ(FillOnNewThread({WIPE_ONES}), Block(kWipeBlockSize, 0xFF));
    const Block first = FillOnNewThread({WIPE_RANDOM});
    EXPECT_EQ(Block(first.begin(), first.begin() + 6),
              (Block{0x29, 0x23, 0xBE, 0x84, 0xE1, 0x6C}));
    // Another thread starts over; an unknown mode wipes the same way; on one
    // thread the generator carries on from file to file.
    EXPECT_EQ(FillOnNewThread({7}), first);
    const Block two = FillOnNewThread({WIPE_RANDOM, WIPE_RANDOM});
    EXPECT_EQ(Block(two.begin(), two.begin() + kWipeBlockSize), first);
    EXPECT_NE(Block(two.begin() + kWipeBlockSize, two.end()), first);
}

TEST(WipePattern, FillerBlockRepeatsNumbersModulo257)
{
    unsigned char block[kFillerBlockSize];
    FillFillerBlock(block);
    const size_t offsets[] = {0, 255, 256, 257, 258, 4095};
    for (size_t i : offsets)
        EXPECT_EQ(block[i], i % 257 % 256) << i;
}
