#include "StringTable.h"

namespace hl {

const std::string& StringTable::operator[](int index) const {
    static const std::string none;
    return index >= 0 && index < kEntries ? entries_[index] : none;
}

void StringTable::Assign(const char* const (&texts)[kSize], const char* mouseWord,
                         Language language) {
    for (int i = 0; i < kSize; ++i)
        entries_[i] = texts[i];
    mouseWord_ = mouseWord;
    AssignBlock(kSectionTexts, kBoardTextsFirst, language);
    AssignBlock(kBoardTexts, kPeripheralTextsFirst, language);
    AssignBlock(kPeripheralTexts, kDetailsTextsFirst, language);
    AssignBlock(kDetailsTexts, kTextsEnd, language);
}

void StringTable::AssignBlock(const TextBlock& block, int end, Language language) {
    for (int i = block.first; i < end; ++i) {
        size_t at = static_cast<size_t>(i - block.first);
        const Translation* t = at < block.texts.size() ? &block.texts[at] : nullptr;
        const char* text = !t                              ? ""
                           : language == Language::Spanish ? t->spanish
                           : language == Language::Dutch   ? t->dutch
                                                           : t->english;
        entries_[i] = text ? text : "";
    }
}

bool IsLanguage(const std::string& language) {
    return language == "Spanish" || language == "English" || language == "Dutch";
}

bool LoadLanguage(StringTable& table, const std::string& language) {
    if (language == "Spanish")
        LangSpanish(table);
    else if (language == "English")
        LangEnglish(table);
    else if (language == "Dutch")
        LangDutch(table);
    else
        return false;
    return true;
}

extern const LanguageRules kSpanishRules, kEnglishRules, kDutchRules;

const LanguageRules& RulesOf(const std::string& language) {
    if (language == "Spanish") return kSpanishRules;
    if (language == "Dutch") return kDutchRules;
    return kEnglishRules;
}

std::string DateText(const std::string& day, const std::string& month, const std::string& year,
                     const std::string& language) {
    const LanguageRules& rules = RulesOf(language);
    const std::string sep(1, rules.dateSeparator);
    return rules.monthFirst ? month + sep + day + sep + year : day + sep + month + sep + year;
}

std::string WithHoursUnit(const std::string& time, const std::string& language,
                          const StringTable& table) {
    return time + (RulesOf(language).spaceBeforeHoursUnit ? " " : "") + table[78];
}

} // namespace hl
