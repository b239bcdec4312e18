#pragma once

#include <array>
#include <span>
#include <string>

namespace hl {

// Entries the program itself uses by name.
inline constexpr int kGettingInformation = 8; // the status line while a section is gathered
inline constexpr int kDone = 33;              // the status line when it is shown
inline constexpr int kUnknown = 53;           // the value of a fact that cannot be read

enum class Language { Spanish, English, Dutch };

// A text added after the first 248, in the three languages side by side.
struct Translation {
    const char* spanish;
    const char* english;
    const char* dutch;
};

// The added texts come in blocks, each one file of its own (core/Texts*.cpp), so that the
// texts of one feature stay together: entry `first + i` is `texts[i]`. A block owns the
// entries from its first up to the next block's first.
struct TextBlock {
    int first;
    std::span<const Translation> texts;
};
inline constexpr int kSectionTextsFirst = 248;    // Sensors, Battery, Network
inline constexpr int kBoardTextsFirst = 320;      // devices of Processor, RAM and Display
inline constexpr int kPeripheralTextsFirst = 420; // devices of the other sections
inline constexpr int kDetailsTextsFirst = 520;    // the window's details view
inline constexpr int kTextsEnd = 552;
extern const TextBlock kSectionTexts, kBoardTexts, kPeripheralTexts, kDetailsTexts;

// The 248 localized texts and the added ones; the same index means the same text in every
// language. Beside them the word for the mouse section of the report.
class StringTable {
public:
    static constexpr int kSize = 248;          // the window's original texts
    static constexpr int kEntries = kTextsEnd; // with the added blocks

    const std::string& operator[](int index) const;
    // Every entry and MouseWord at once, in index order, replacing what the table held; the
    // added blocks in `language`.
    void Assign(const char* const (&texts)[kSize], const char* mouseWord, Language language);
    const std::string& MouseWord() const { return mouseWord_; }

private:
    void AssignBlock(const TextBlock& block, int end, Language language);

    std::array<std::string, kEntries> entries_;
    std::string mouseWord_;
};

void LangSpanish(StringTable& table);
void LangEnglish(StringTable& table);
void LangDutch(StringTable& table);

// Runs the loader of "Spanish", "English" or "Dutch" (exact text); any other value loads
// nothing and gives false.
bool LoadLanguage(StringTable& table, const std::string& language);
bool IsLanguage(const std::string& language);

// How a language writes what its table cannot hold, and the few texts of the window that are
// not among its 248 entries.
struct LanguageRules {
    char dateSeparator;          // between day, month and year
    bool monthFirst;             // month/day/year, else day/month/year
    bool spaceBeforeHoursUnit;   // "14:30:22 hs."; Dutch writes the time bare
    const char* cpus;            // the plural after a processor count: "CPUs", Dutch "CPU's"
    const char* replaceQuestion; // UTF-8; %1 is the file's name
    const char* noEditor;        // UTF-8
};
// The rules of "Spanish", "English" or "Dutch"; the English ones for any other value.
const LanguageRules& RulesOf(const std::string& language);
// Day, month and year ("15", "03", "2010") in the language's order and separator.
std::string DateText(const std::string& day, const std::string& month, const std::string& year,
                     const std::string& language);
// A time of day followed by the unit of entry 78 as the language writes it.
std::string WithHoursUnit(const std::string& time, const std::string& language,
                          const StringTable& table);

} // namespace hl
