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
    std::thread worker([&] {
        for (uint32_t dwMode : modes) {
            unsigned char block[kWipeBlockSize];
            FillWipeBlock(dwMode, block);
            bytes.insert(bytes.end(), block, block + kWipeBlockSize);
        }
    });
    worker.join();
    return bytes;
}

}  // namespace

TEST(WipePattern, OnesModeFillsWithFF)
{
    const Block bytes = FillOnNewThread({WIPE_ONES});
    EXPECT_EQ(bytes, Block(kWipeBlockSize, 0xFF));
}

// The generator's first values from state 1 are 41, 18467, 6334, 26500,
// 19169, 15724; each byte is the low eight bits of one value.
TEST(WipePattern, RandomModeStartsFromStateOneOnEveryThread)
{
    const Block first = FillOnNewThread({WIPE_RANDOM});
    ASSERT_EQ(first.size(), kWipeBlockSize);
    EXPECT_EQ(Block(first.begin(), first.begin() + 6),
              (Block{0x29, 0x23, 0xBE, 0x84, 0xE1, 0x6C}));

    // Another thread starts over; an unknown mode wipes the same way.
    EXPECT_EQ(FillOnNewThread({7}), first);

    // On one thread the generator carries on from file to file.
    const Block two = FillOnNewThread({WIPE_RANDOM, WIPE_RANDOM});
    EXPECT_EQ(Block(two.begin(), two.begin() + kWipeBlockSize), first);
    EXPECT_NE(Block(two.begin() + kWipeBlockSize, two.end()), first);
}

TEST(WipePattern, FillerBlockRepeatsNumbersModulo257)
{
    unsigned char block[kFillerBlockSize];
    FillFillerBlock(block);
    EXPECT_EQ(block[0], 0);
    EXPECT_EQ(block[255], 255);
    EXPECT_EQ(block[256], 0);  // 256 mod 257 is 256, which is 0 as a byte
    EXPECT_EQ(block[257], 0);  // the count starts over
    EXPECT_EQ(block[258], 1);
    EXPECT_EQ(block[4095], 4095 % 257 % 256);
}
