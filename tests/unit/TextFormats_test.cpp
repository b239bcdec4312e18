#include "core/TextFormats.h"

#include <gtest/gtest.h>

using namespace hl;

TEST(CapitalizeFirst, RaisesTheFirstLetterAndLowersTheRest) {
    EXPECT_EQ(CapitalizeFirst("WORKGROUP"), "Workgroup");
    EXPECT_EQ(CapitalizeFirst("mshome"), "Mshome");
    EXPECT_EQ(CapitalizeFirst(""), "");
}

TEST(EscapeHtml, EscapesMarkupCharacters) {
    EXPECT_EQ(EscapeHtml("<b>\"A&B\"</b>"), "&lt;b&gt;&quot;A&amp;B&quot;&lt;/b&gt;");
}
