#include "core/Formats.h"

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

TEST(CapitalizeFirst, RaisesTheFirstLetterAndLowersTheRest) {
    EXPECT_EQ(CapitalizeFirst("WORKGROUP"), "Workgroup");
    EXPECT_EQ(CapitalizeFirst("mshome"), "Mshome");
    EXPECT_EQ(CapitalizeFirst(""), "");
}

TEST(EscapeHtml, EscapesMarkupCharacters) {
    EXPECT_EQ(EscapeHtml("<b>\"A&B\"</b>"), "&lt;b&gt;&quot;A&amp;B&quot;&lt;/b&gt;");
}
