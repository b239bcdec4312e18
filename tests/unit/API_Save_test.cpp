#include "ui/API_Save.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace std::string_literals;

namespace {
// Entries 208 and 238 in English, as the report panel joins them.
const std::string kFilter = "Text document (*.txt)|*.txt|HTML page (*.html)|*.html";
const std::string kConverted = "Text document (*.txt)\0*.txt\0HTML page (*.html)\0*.html\0"s;
} // namespace

TEST(API_Save, FilterGetsNulSeparatorsAndAFinalOne) {
    EXPECT_EQ(ConvertFilter(kFilter), kConverted);
    // A filter that already ends in the separator gets no second one.
    EXPECT_EQ(ConvertFilter("Text document (*.txt)|*.txt|"), "Text document (*.txt)\0*.txt\0"s);
}

TEST(API_Save, FilterEntriesPairDescriptionsWithPatterns) {
    const std::vector<FilterEntry> entries = FilterEntries(kConverted);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].description, "Text document (*.txt)");
    EXPECT_EQ(entries[0].pattern, "*.txt");
    EXPECT_EQ(entries[1].description, "HTML page (*.html)");
    EXPECT_EQ(entries[1].pattern, "*.html");
}

TEST(API_Save, ExtensionOfTheChosenFilter) {
    EXPECT_EQ(ExtensionFromFilter(kConverted, 1), ".txt");
    EXPECT_EQ(ExtensionFromFilter(kConverted, 2), ".html");
}

TEST(API_Save, CatchAllOrMissingFilterGivesNoExtension) {
    const std::string all = ConvertFilter("All files|*.*|Some|*.txt;*.*");
    EXPECT_EQ(ExtensionFromFilter(all, 1), "");
    EXPECT_EQ(ExtensionFromFilter(all, 2), ""); // contains the catch-all
    EXPECT_EQ(ExtensionFromFilter(kConverted, 3), "");
    EXPECT_EQ(ExtensionFromFilter(kConverted, 0), "");
}

TEST(API_Save, FileOfTheShownTypeReceivesTheShownDocument) {
    EXPECT_EQ(ContentForName("report.html", "HTML"), SavedContent::Shown);
    EXPECT_EQ(ContentForName("report.txt.txt", "TXT"), SavedContent::Shown);
}

TEST(API_Save, FileOfTheOtherTypeReceivesTheGeneratedDocument) {
    EXPECT_EQ(ContentForName("report.html", "TXT"), SavedContent::GeneratedHtml);
    EXPECT_EQ(ContentForName("report.txt", "HTML"), SavedContent::GeneratedText);
}

TEST(API_Save, NameIsComparedByItsLastCharactersExactly) {
    // Only the end counts, with its letter case; no dot is needed.
    EXPECT_EQ(ContentForName("reporthtml", "TXT"), SavedContent::GeneratedHtml);
    EXPECT_EQ(ContentForName("report.HTML", "HTML"), SavedContent::Nothing);
    EXPECT_EQ(ContentForName("report.htm", "HTML"), SavedContent::Nothing);
    EXPECT_EQ(ContentForName("report.txt.bak", "TXT"), SavedContent::Nothing);
}
