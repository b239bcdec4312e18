#pragma once

#include <string>

namespace hl {

// Qt's own texts (the Save dialog, the message boxes' buttons) in the window's language, from
// Qt's translation catalogues; English needs none. Replaces the catalogue of the language used
// before, so it follows every language switch. False when the catalogue is not installed.
bool UseQtTranslations(const std::string& language);

} // namespace hl
