#include "core/DateFormats.h"

#include <gtest/gtest.h>

using namespace hl;

namespace {
StringTable Table(const std::string& language) {
    StringTable t;
    LoadLanguage(t, language);
    return t;
}
} // namespace

TEST(FormatWmiDate, GivesTheDateAndTimeOfEachLanguage) {
    const char* date = "20100315143022.000000-180";
    EXPECT_EQ(FormatWmiDate(date, "Spanish", Table("Spanish")), "15/03/2010 a las 14:30:22 hs.");
    EXPECT_EQ(FormatWmiDate(date, "English", Table("English")), "03/15/2010 at 14:30:22 hs.");
    EXPECT_EQ(FormatWmiDate(date, "Dutch", Table("Dutch")), "15-03-2010 om 14:30:22");
}

TEST(FormatWmiDateOnly, ShowsTheDateWithoutTimeOrOffset) {
    const char* date = "20080115000000.000000+000";
    EXPECT_EQ(FormatWmiDateOnly(date, "Spanish"), "15/01/2008");
    EXPECT_EQ(FormatWmiDateOnly(date, "English"), "01/15/2008");
    EXPECT_EQ(FormatWmiDateOnly(date, "Dutch"), "15-01-2008");
}

TEST(FormatWmiDate, TakesCharactersByPositionWithoutValidating) {
    EXPECT_EQ(FormatWmiDateOnly("2010", "English"), "//2010");
    EXPECT_EQ(FormatWmiDate("", "Dutch", Table("Dutch")), "-- om ::");
}

TEST(FormatUsageTime, WritesDaysHoursMinutesSeconds) {
    EXPECT_EQ(FormatUsageTime((5 * 3600 + 7 * 60 + 9) * 1000LL), "00:05:07:09");
    EXPECT_EQ(FormatUsageTime(((123 * 24 + 4) * 3600) * 1000LL), "123:04:00:00");
    EXPECT_EQ(FormatUsageTime(93784000), "01:02:03:04");
    EXPECT_EQ(FormatUsageTime(999), "00:00:00:00");
}

TEST(FormatUsageTime, DoesNotWrapAfterTheThirtyTwoBitLimits) {
    EXPECT_EQ(FormatUsageTime(25LL * 86400 * 1000), "25:00:00:00");        // past 2^31 ms
    EXPECT_EQ(FormatUsageTime(50LL * 86400 * 1000 + 1000), "50:00:00:01"); // past 2^32 ms
}
