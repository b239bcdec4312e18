#pragma once

#include <string>
#include <vector>

class QString;
class QWidget;

namespace hl {

// The Save dialog's filter as the report panel passes it: "description|pattern|..." pairs.
// The dialog wants them NUL-separated and ending in a separator.
inline std::string ConvertFilter(std::string filter) {
    if (filter.empty() || filter.back() != '|') filter += '|';
    for (char& c : filter)
        if (c == '|') c = '\0';
    return filter;
}

// The parts of a converted filter, split at NUL: description 1, pattern 1, description 2, ...
inline std::vector<std::string> FilterParts(const std::string& converted) {
    std::vector<std::string> parts(1);
    for (char c : converted) {
        if (c == '\0')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

struct FilterEntry {
    std::string description;
    std::string pattern;
};

// The (description, pattern) pairs of a converted filter, in dialog order (index 1 first).
inline std::vector<FilterEntry> FilterEntries(const std::string& converted) {
    const std::vector<std::string> parts = FilterParts(converted);
    std::vector<FilterEntry> entries;
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i].empty() || !parts[i + 1].empty()) entries.push_back({parts[i], parts[i + 1]});
    return entries;
}

// The extension the dialog appends for filter `index` (1-based): "*.txt" gives ".txt"; a
// catch-all pattern or an index without a pattern gives nothing.
inline std::string ExtensionFromFilter(const std::string& converted, int index) {
    const std::vector<std::string> parts = FilterParts(converted);
    const long at = 2L * index - 1;
    if (index < 1 || at >= static_cast<long>(parts.size())) return {};
    std::string pattern = parts[static_cast<size_t>(at)];
    const bool catchAll = index == 1 ? pattern == "*.*" : pattern.find("*.*") != std::string::npos;
    if (catchAll) return {};
    for (size_t p; (p = pattern.find("*.")) != std::string::npos;)
        pattern.erase(p, 2);
    return "." + pattern;
}

// Which document a saved file receives, by the end of its name and the format shown.
enum class SavedContent {
    Shown,         // Ti, edits included
    GeneratedText, // TiO
    GeneratedHtml, // TiHTML
    Nothing,       // a name ending in neither: an empty file
};

inline bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

inline SavedContent ContentForName(const std::string& fileName, const std::string& reportFormat) {
    if (EndsWith(fileName, "html"))
        return reportFormat != "HTML" ? SavedContent::GeneratedHtml : SavedContent::Shown;
    if (EndsWith(fileName, "txt"))
        return reportFormat != "TXT" ? SavedContent::GeneratedText : SavedContent::Shown;
    return SavedContent::Nothing;
}

// The Save dialog: returns the chosen name with the chosen filter's extension appended, or
// nothing on Cancel. `typed`, when given, receives the name as the dialog confirmed it (the
// dialog asks before replacing only that one). The dialog is Qt's own widget, named
// "SaveDialog", so that it looks the same everywhere and can be driven.
std::string ShowSaveDialog(QWidget* owner, const std::string& filter, const std::string& title,
                           const std::string& initialFolder, const std::string& defaultName,
                           int filterIndex, std::string* typed = nullptr);

// Writes `document`, followed by a line end unless `lineEnd` is false, as report files leave
// the program (ExportDocument) and through WriteOutputFile, so links, FIFOs and devices are
// written, not replaced. False with the reason in `error` otherwise.
bool WriteReportFile(const std::string& path, const std::string& document, QString* error,
                     bool lineEnd = true);

} // namespace hl
