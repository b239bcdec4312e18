// What a report document looks like once it leaves the program on Linux: the documents keep
// CRLF inside, and files, standard output and the clipboard get LF; pages name their charset.
#pragma once

#include <string>

namespace hl::test {

inline std::string LfLineEnds(std::string text) {
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

inline std::string AsPrinted(const std::string& document) {
    std::string printed = LfLineEnds(document);
    if (size_t head = printed.find("<head>"); head != std::string::npos)
        printed.insert(head + 6, "<meta charset=\"utf-8\">");
    return printed;
}

} // namespace hl::test
