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

// ---- the removable, optical and graphics size rules ----

TEST(FormatSizeLeft, FollowsTheDigitCountTable) {
    const SizeCase cases[] = {
        {"512", "512 bytes"},
        {"1000", "1000 bytes"}, // four digits up to 1023 stay in bytes
        {"1023", "1023 bytes"},
        {"1024", "1 KB"},
        {"9999", "9.76 KB"}, // four characters of the quotient
        {"15000", "14.64 KB"},
        {"1500000", "1.4 MB"}, // seven digits keep three characters
        {"2013265920", "1.87 GB"},
        {"16106127360", "15 GB"},        // a quotient without decimals
        {"1234567890123", "1149.78 GB"}, // thirteen digits keep seven characters
    };
    for (const SizeCase& c : cases)
        EXPECT_EQ(FormatSizeLeft(c.digits, "."), c.expected) << c.digits;
}

TEST(FormatSizeLeft, LongerNumbersKeepGigabytesAndOneMoreCharacterPerDigit) {
    EXPECT_EQ(FormatSizeLeft("12345678901234", "."), "11497.80 GB");
    EXPECT_EQ(FormatSizeLeft("123456789012345", "."), "114978.09 GB"); // nine characters
}

TEST(FormatDiscSize, FollowsTheDigitCountTable) {
    const SizeCase cases[] = {
        {"1023", "1023 bytes"},
        {"9999", "9.76 KB"},
        {"681574400", "650 MB"},
        {"734003200", "700 MB"},
        {"123456789", "117.73 MB"}, // nine digits keep six characters
        {"1500000", "1.43 MB"},     // seven digits keep four, unlike removable drives
        {"4706074624", "4.38 GB"},
        {"1234567890123", "1149.78 GB"}, // past the table: one more character than twelve digits
    };
    for (const SizeCase& c : cases)
        EXPECT_EQ(FormatDiscSize(c.digits, "."), c.expected) << c.digits;
}

TEST(FormatSizeRules, WriteTheRegionalDecimalSeparator) {
    EXPECT_EQ(FormatSizeLeft("15000", ","), "14,64 KB");
    EXPECT_EQ(FormatDiscSize("4706074624", ","), "4,38 GB");
    EXPECT_EQ(FormatAdapterMemory(1610612736, ","), "1,5 GB");
}

TEST(FormatSizeRules, RefuseTextThatIsNotADigitString) {
    for (const char* bad : {"", "12a4", "-512", " 512"}) {
        EXPECT_THROW(FormatSizeLeft(bad, "."), PlatformError) << bad;
        EXPECT_THROW(FormatDiscSize(bad, "."), PlatformError) << bad;
    }
    // Digits beyond the range of a double overflow as a platform error, not another type.
    const std::string huge(320, '9');
    EXPECT_THROW(FormatSizeLeft(huge, "."), PlatformError);
    EXPECT_THROW(FormatDiscSize(huge, "."), PlatformError);
}

TEST(FormatAdapterMemory, ScreenKeepsDecimalsAndReportShowsWholeUnits) {
    struct Case {
        int64_t bytes;
        const char* screen;
        const char* report;
    } cases[] = {
        {268435456, "256 MB", "256 MB"},
        {1610612736, "1.5 GB", "1 GB"},
        {4294967296, "4 GB", "4 GB"}, // 2 GB and more are held, not lost
        {17179869184, "16 GB", "16 GB"},
        {137438953472, "128 GB", "128 GB"},
        {1048576, "1 MB", "1 MB"},
        {524288, "512 KB", "512 KB"}, // under seven digits: kilobytes
        {1000, "1000 bytes", "1000 bytes"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatAdapterMemory(c.bytes, "."), c.screen) << c.bytes;
        EXPECT_EQ(FormatAdapterMemoryReport(c.bytes), c.report) << c.bytes;
    }
}

TEST(FormatAdapterMemory, ZeroOrLessGivesNothing) {
    for (int64_t bytes : {int64_t{0}, int64_t{-1}}) {
        EXPECT_EQ(FormatAdapterMemory(bytes, "."), "");
        EXPECT_EQ(FormatAdapterMemoryReport(bytes), "");
    }
}

TEST(Percentage, FailsWhenTheShareOverflows) {
    EXPECT_THROW(Percentage("9999999999999999999", "1"), PlatformError);
}

TEST(Percentage, RoundsHalfToEven) {
    EXPECT_EQ(Percentage("41", "200"), 20); // 20.5
    EXPECT_EQ(Percentage("43", "200"), 22); // 21.5
    EXPECT_EQ(Percentage("1006632960", "2013265920"), 50);
    EXPECT_THROW(Percentage("0", "0"), PlatformError);
}

TEST(UsedBytes, SubtractsDigitStringsAndRefusesMoreFreeThanSize) {
    EXPECT_EQ(UsedBytes("4026531840", "3988951695"), "37580145");
    EXPECT_EQ(UsedBytes("12345678901234567", "1"), "12345678901234566");
    EXPECT_THROW(UsedBytes("100", "101"), PlatformError);
}
