#include "core/Transparencia.h"

#include <gtest/gtest.h>

using hl::TransparencyAlpha;
using hl::TransparencyResult;

namespace {
int AlphaOf(int16_t percent) {
    TransparencyResult r = TransparencyAlpha(percent);
    EXPECT_EQ(r.code, TransparencyResult::kApplied) << "percent " << percent;
    return r.alpha;
}
} // namespace

TEST(Transparencia, DocumentedLevelsGiveTheirAlpha) {
    EXPECT_EQ(AlphaOf(0), 255);  // opaque
    EXPECT_EQ(AlphaOf(35), 166); // 165.75 rounded
    EXPECT_EQ(AlphaOf(80), 51);
    EXPECT_EQ(AlphaOf(100), 0); // where the fade-in starts
}

TEST(Transparencia, HalfwayAlphasRoundToEven) {
    // 90 % is 25.5, 70 % is 76.5, 50 % is 127.5.
    EXPECT_EQ(AlphaOf(90), 26);
    EXPECT_EQ(AlphaOf(70), 76);
    EXPECT_EQ(AlphaOf(50), 128);
}

TEST(Transparencia, LevelsBeyondTheAlphaRangeAreRejected) {
    // -4 is the fade-in's last step from 100 in eights, 104 the fade-out's.
    for (int16_t level : {-4, -1, 101, 104, 32767})
        EXPECT_EQ(TransparencyAlpha(level).code, TransparencyResult::kRejected) << level;
}

TEST(Transparencia, DifferenceOutside16BitsFails) {
    // 100 - (-32768) does not fit in 16 bits.
    EXPECT_EQ(TransparencyAlpha(-32768).code, TransparencyResult::kFailed);
    EXPECT_EQ(TransparencyAlpha(-32668).code, TransparencyResult::kFailed);
}
