#include "TestSupport.h"
#include "core/Captions.h"
#include "core/StringTable.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace hl;

namespace {

// The texts as the program's documentation gives them, transcribed by hand.
const nlohmann::json& Expected() {
    static const nlohmann::json doc =
        nlohmann::json::parse(hl::test::ReadFile(hl::test::DataPath("string_table_expected.json")));
    return doc;
}

StringTable Load(const std::string& language) {
    StringTable t;
    EXPECT_TRUE(LoadLanguage(t, language));
    return t;
}

void ExpectEntries(const std::string& language, const nlohmann::json& entries) {
    StringTable t = Load(language);
    for (const auto& [index, text] : entries.items())
        EXPECT_EQ(t[std::stoi(index)], text.get<std::string>()) << language << " entry " << index;
}

} // namespace

TEST(StringTable, EnglishHasAllTexts) {
    ExpectEntries("English", Expected()["english"]);
}
TEST(StringTable, SpanishGivenTexts) {
    ExpectEntries("Spanish", Expected()["spanish"]);
}
TEST(StringTable, DutchGivenTexts) {
    ExpectEntries("Dutch", Expected()["dutch"]);
}
TEST(StringTable, SpanishExampleWords) {
    ExpectEntries("Spanish", Expected()["examples"]["Spanish"]);
}
TEST(StringTable, DutchExampleWords) {
    ExpectEntries("Dutch", Expected()["examples"]["Dutch"]);
}

TEST(StringTable, EmptyEntriesAndTranslationsOfEveryOther) {
    std::vector<int> empty = Expected()["emptyInAllLanguages"].get<std::vector<int>>();
    StringTable en = Load("English");
    for (const char* language : {"Spanish", "Dutch"}) {
        StringTable t = Load(language);
        for (int i = 0; i < StringTable::kSize; ++i) {
            bool shouldBeEmpty = std::count(empty.begin(), empty.end(), i) ||
                                 (i == 78 && std::string(language) == "Dutch");
            EXPECT_EQ(t[i].empty(), shouldBeEmpty) << language << " entry " << i;
        }
    }
    for (int i : empty)
        EXPECT_EQ(en[i], "") << i;
    EXPECT_EQ(en[StringTable::kEntries], "") << "outside the table";
}

TEST(StringTable, MouseWord) {
    for (const auto& [language, word] : Expected()["mouseWord"].items())
        EXPECT_EQ(Load(language).MouseWord(), word.get<std::string>()) << language;
}

TEST(StringTable, LoadersReplaceWhatTheTableHeld) {
    StringTable t = Load("Dutch");
    EXPECT_EQ(t[78], "");
    LangEnglish(t);
    EXPECT_EQ(t[78], "hs.");
    EXPECT_FALSE(LoadLanguage(t, "english"));
    EXPECT_EQ(t[10], "Summary") << "an unknown language loads nothing";
}

TEST(TraduPrincipal, CaptionsTheWindowFromTheTable) {
    MainCaptions en = TraduPrincipal(Load("English"));
    EXPECT_EQ(en.title, "Vexmoor Hardlens - Version 2.1");
    EXPECT_EQ(en.lops, "Options");
    EXPECT_EQ(en.pers, "Customize");
    EXPECT_EQ(en.ginf, "Generate report");
    EXPECT_EQ(en.about, "About...");
    EXPECT_EQ(en.quit, "Quit");
    EXPECT_EQ(en.lbm[0], "Summary");
    EXPECT_EQ(en.lbm[12], "Others hardware");
    EXPECT_EQ(en.copyAll, "Copy all");
    MainCaptions es = TraduPrincipal(Load("Spanish"));
    EXPECT_EQ(es.title, "Vexmoor Hardlens - Versión 2.1");
    EXPECT_EQ(es.lbm[6], "Discos rígidos");
    MainCaptions nl = TraduPrincipal(Load("Dutch"));
    EXPECT_EQ(nl.title, "Vexmoor Hardlens - Versie 2.1");
    EXPECT_EQ(nl.copy, "Kopiëren");
}

// An added text missing in one language would show an empty caption there; a block that
// outgrew its range would overwrite the next block's first entries.
TEST(StringTable, AddedBlocksFitTheirRangesAndSpeakEveryLanguage) {
    struct Range {
        const TextBlock* block;
        int end;
    };
    for (const Range& range :
         {Range{&kSectionTexts, kBoardTextsFirst}, Range{&kBoardTexts, kPeripheralTextsFirst},
          Range{&kPeripheralTexts, kDetailsTextsFirst}, Range{&kDetailsTexts, kTextsEnd}}) {
        EXPECT_LE(range.block->first + static_cast<int>(range.block->texts.size()), range.end)
            << "block at " << range.block->first;
    }
    StringTable es = Load("Spanish"), en = Load("English"), nl = Load("Dutch");
    for (int i = StringTable::kSize; i < StringTable::kEntries; ++i) {
        bool any = !es[i].empty() || !en[i].empty() || !nl[i].empty();
        if (!any) continue;
        EXPECT_FALSE(es[i].empty()) << "Spanish entry " << i;
        EXPECT_FALSE(en[i].empty()) << "English entry " << i;
        EXPECT_FALSE(nl[i].empty()) << "Dutch entry " << i;
    }
}
