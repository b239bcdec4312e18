#include "JsonErrors.h"

#include <algorithm>
#include <utility>

namespace hl {

namespace {

bool Has(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The parser's words for a token, in ours.
std::string TokenWords(const std::string& token) {
    const std::pair<const char*, const char*> words[] = {
        {"number literal", "a number"},
        {"string literal", "a quoted text"},
        {"true literal", "true"},
        {"false literal", "false"},
        {"null literal", "null"},
        {"'[', '{', or a literal", "a value"},
        {"end of input", "the end of the file"},
    };
    for (const auto& [theirs, ours] : words)
        if (token == theirs) return ours;
    return token; // a quoted bracket or punctuation mark: already plain
}

// "expected ']'" in an array also allows a comma, and "string literal" after '{' is a name.
std::string ExpectedWords(const std::string& expected, const std::string& what) {
    if (expected == "']'") return "',' or ']'";
    if (expected == "'}'") return "',' or '}'";
    if (expected == "string literal" && Has(what, "object key")) return "a quoted name";
    return TokenWords(expected);
}

// The part of the parser's message between two markers.
std::string Between(const std::string& what, const char* start, const char* end) {
    size_t from = what.find(start);
    if (from == std::string::npos) return "";
    from += std::char_traits<char>::length(start);
    return what.substr(from, what.find(end, from) - from);
}

std::string Problem(const std::string& what, bool whitespaceOnly) {
    const std::pair<const char*, const char*> lexical[] = {
        {"; expected end of input", "more text after the end of the JSON document"},
        {"invalid literal", "text without double quotes (only true, false and null go without)"},
        {"control character", "a line break or control character inside quotes"},
        {"missing closing quote", "a quoted text that is not closed"},
        {"UTF-8", "a byte that is not UTF-8 text"},
        {"backslash", "a backslash escape that JSON does not know"},
        {"\\u", "a backslash escape that JSON does not know"},
        {"invalid number", "a malformed number"},
    };
    if (Has(what, "unexpected end of input"))
        return whitespaceOnly ? "the file is empty" : "the file ends before the JSON is complete";
    for (const auto& [marker, words] : lexical)
        if (Has(what, marker)) return words;
    const std::string found = Between(what, "unexpected ", ";");
    const std::string expected = Between(what, "; expected ", "\n");
    if (found.empty()) return "not JSON";
    return "found " + TokenWords(found) + " where " + ExpectedWords(expected, what) +
           " was expected";
}

// Line and column of byte `position` (1 for the first), the column counted in UTF-8
// characters; a position past the end stands just after the last character.
std::string Place(const std::string& text, size_t position) {
    const size_t end = position == 0 ? 0 : std::min(position - 1, text.size());
    size_t line = 1, column = 1;
    for (size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

} // namespace

std::string PlainJsonError(const std::string& text, const nlohmann::json::exception& error) {
    const std::string what = error.what();
    if (Has(what, "number overflow")) return "a number too large to hold";
    const auto* parse = dynamic_cast<const nlohmann::json::parse_error*>(&error);
    if (!parse) return what.substr(what.find("] ") == std::string::npos ? 0 : what.find("] ") + 2);
    const bool whitespaceOnly = text.find_first_not_of(" \t\r\n") == std::string::npos;
    const std::string problem = Problem(what, whitespaceOnly);
    if (whitespaceOnly) return problem;
    return Place(text, parse->byte) + ": " + problem;
}

} // namespace hl
