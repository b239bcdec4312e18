#include "HtmlPage.h"

namespace hl {

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string HtmlPageStart(std::string_view title, std::string_view style) {
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           HtmlEscape(title) + "</title>\n<style>\n" + std::string(style) +
           "</style>\n</head>\n<body>\n";
}

} // namespace hl
