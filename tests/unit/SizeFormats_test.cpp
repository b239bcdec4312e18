#include "core/PlatformError.h"
#include "core/SizeFormats.h"

#include <gtest/gtest.h>

using namespace hl;

namespace {
struct SizeCase {
    const char* digits;
    const char* expected;
};
} // namespace

TEST(FormatSize, ChoosesTheUnitByDigitCount) {
    const SizeCase cases[] = {
        {"512", "512 bytes"},
        {"1000", "1000 bytes"}, // four digits below 1024 stay in bytes
        {"1023", "1023 bytes"},
        {"1024", "1 KB"},
        {"1536", "1.5 KB"}, // the quotient is shorter than four characters
        {"9999", "9.76 KB"},
        {"80000", "78 KB"},
        {"80000000", "76 MB"},
        {"80026361856", "74.5 GB"},
        {"100000000000", "93.13 GB"},
        {"500107862016", "465.7 GB"},
        {"107374182400", "100 GB"}, // a whole quotient has no separator
        {"1000204886016", "931.51 GB"},
        {"2000398934016", "1863.0 GB"},
    };
    for (const SizeCase& c : cases)
        EXPECT_EQ(FormatSize(c.digits, "."), c.expected) << c.digits;
}

TEST(FormatSize, KeepsOneMoreCharacterForEveryDigitPastThirteen) {
    EXPECT_EQ(FormatSize("10000000000000", "."), "9313.22 GB");
    EXPECT_EQ(FormatSize("100000000000000", "."), "93132.25 GB");
}

TEST(FormatSize, UsesTheRegionalDecimalSeparator) {
    EXPECT_EQ(FormatSize("1536", ","), "1,5 KB");
    EXPECT_EQ(FormatSize("80026361856", ","), "74,5 GB");
}

TEST(FormatSize, FailsOnTextThatIsNoNumber) {
    EXPECT_THROW(FormatSize("12a4", "."), PlatformError);
    // Few characters but an exponent: too large for the kilobyte and megabyte rows.
    EXPECT_THROW(FormatSize("1161E70", "."), PlatformError);
    EXPECT_THROW(FormatSize("9E99999", "."), PlatformError);
}

TEST(SummaryMemorySize, FollowsTheDigitTable) {
    const SizeCase cases[] = {
        {"4294967296", "4 GB"},      {"536870912", "512 MB"},       {"3758096384", "3.5 GB"},
        {"1048576", "1 MB"},         {"524288", "0.5 MB"}, // below the table: as seven digits

        {"10000000000", "9.313 GB"}, {"123456789012", "114.97 GB"}, // past the table: one more
                                                                    // character per digit
    };
    for (const SizeCase& c : cases)
        EXPECT_EQ(SummaryMemorySize(c.digits, "."), c.expected) << c.digits;
    EXPECT_EQ(SummaryMemorySize("3758096384", ","), "3,5 GB");
}

TEST(SummaryFreeSpace, FollowsTheDigitTable) {
    const SizeCase cases[] = {
        {"999", "999 bytes"},
        {"1000", "1000 bytes"},
        {"5000", "4 KB"},
        {"9999", "9 KB"},
        {"123456789", "117 MB"},
        {"85899345920", "80 GB"},
        {"12345678901234", "11497.8 GB"},
        {"123456789012345", "114978.0 GB"}, // past the table: one more character per digit
    };
    for (const SizeCase& c : cases)
        EXPECT_EQ(SummaryFreeSpace(c.digits, "."), c.expected) << c.digits;
}

TEST(SummarySpeed, WritesGigahertzWithTwoTruncatedDecimals) {
    EXPECT_EQ(SummarySpeed(2394, "."), "2.39 Ghz");
    EXPECT_EQ(SummarySpeed(2394, ","), "2,39 Ghz");
    EXPECT_EQ(SummarySpeed(1000, "."), "1.00 Ghz");
    EXPECT_EQ(SummarySpeed(800, "."), "0.80 Ghz");
    EXPECT_EQ(SummarySpeed(12345, "."), "12.34 Ghz");
    EXPECT_EQ(SummarySpeed(0, "."), "");
}

TEST(FormatMemoryMB, GroupsThousandsWithAPoint) {
    EXPECT_EQ(FormatMemoryMB(512), "512 MB");
    EXPECT_EQ(FormatMemoryMB(2048), "2.048 MB");
    EXPECT_EQ(FormatMemoryMB(12345), "12.345 MB");
    EXPECT_EQ(FormatMemoryMB(123456), "123.456 MB");
    EXPECT_EQ(FormatMemoryMB(1234567), "1.234.567 MB");
    EXPECT_EQ(FormatMemoryMB(0), "0 MB");
}

TEST(TotalMemoryMB, RoundsKilobytesThenTruncatesMegabytes) {
    EXPECT_EQ(TotalMemoryMB(1610612736.0), 1536); // 1024 MB + 512 MB
    EXPECT_EQ(TotalMemoryMB(4294967296.0), 4096);
    EXPECT_EQ(TotalMemoryMB(1048575.0), 1); // 1023.999 KB round to 1024 KB, one whole MB
    EXPECT_EQ(TotalMemoryMB(1572864.0), 1); // 1.5 MB truncates
}

TEST(FormatVirtualMB, SeparatesFourToSixCharactersOnly) {
    EXPECT_EQ(FormatVirtualMB("4094", ","), "4,094");
    EXPECT_EQ(FormatVirtualMB("123456", ","), "123,456");
    EXPECT_EQ(FormatVirtualMB("4096", "."), "4.096");
    EXPECT_EQ(FormatVirtualMB("512", ","), "512");
    EXPECT_EQ(FormatVirtualMB("1234567", ","), "1234567");
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
