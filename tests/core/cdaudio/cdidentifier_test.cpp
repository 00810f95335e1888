#include "core/cdaudio/cdidentifier.h"

#include <gtest/gtest.h>

// Worked by hand from the rule: length x tracks - length of track 1, in 32-bit two's complement.
TEST(CDIdentifier, MultipliesInThirtyTwoBitsAndWrapsAround) {
    // 3,600,000 x 12 - 240,000: no wrap.
    EXPECT_EQ(ComputeCDID(3'600'000, 12, 240'000), 42'960'000);
    // 30,000,000 x 99 = 2,970,000,000, past 2^31: minus 2^32 gives -1,324,967,296, less 1,000.
    EXPECT_EQ(ComputeCDID(30'000'000, 99, 1'000), -1'324'968'296);
    // 43,000,000 x 100 = 4,300,000,000 wraps past 2^32 to 5,032,704; less 6,000,000 goes negative.
    EXPECT_EQ(ComputeCDID(43'000'000, 100, 6'000'000), -967'296);
    EXPECT_EQ(ComputeCDID(0, 0, 0), 0);
}
