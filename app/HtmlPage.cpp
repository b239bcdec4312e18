#include "HtmlPage.h"

#include "core/TextFormats.h"

namespace hl {

std::string HtmlPageStart(std::string_view title, std::string_view style) {
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           EscapeHtml(title) + "</title>\n<style>\n" + std::string(style) +
           "</style>\n</head>\n<body>\n";
}

} // namespace hl
