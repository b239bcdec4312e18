#include "StringTable.h"

namespace hl {

const std::string& StringTable::operator[](int index) const {
    static const std::string none;
    return index >= 0 && index < kSize ? entries_[index] : none;
}

void StringTable::Assign(const char* const (&texts)[kSize], const char* mouseWord) {
    for (int i = 0; i < kSize; ++i)
        entries_[i] = texts[i];
    mouseWord_ = mouseWord;
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

} // namespace hl
