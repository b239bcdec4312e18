#pragma once

#include <array>
#include <string>

namespace hl {

// The 248 localized texts; the same index means the same text in every language. Beside
// them the word for the mouse section of the report.
class StringTable {
public:
    static constexpr int kSize = 248;

    const std::string& operator[](int index) const;
    // Every entry and MouseWord at once, in index order, replacing what the table held.
    void Assign(const char* const (&texts)[kSize], const char* mouseWord);
    const std::string& MouseWord() const { return mouseWord_; }

private:
    std::array<std::string, kSize> entries_;
    std::string mouseWord_;
};

void LangSpanish(StringTable& table);
void LangEnglish(StringTable& table);
void LangDutch(StringTable& table);

// Runs the loader of "Spanish", "English" or "Dutch" (exact text); any other value loads
// nothing and gives false.
bool LoadLanguage(StringTable& table, const std::string& language);
bool IsLanguage(const std::string& language);

} // namespace hl
