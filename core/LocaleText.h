#pragma once

#include <string>
#include <string_view>

namespace hl {

// UTF-8 text in the character set of the user's locale (the system code page on Windows), as
// report files are written. Characters the set cannot hold become "?".
std::string ToLocaleCharset(const std::string& utf8);

// The language a first run starts in, from a locale name such as "es_AR.UTF-8": es Spanish,
// nl Dutch, anything else English.
std::string LanguageOfLocaleName(const std::string& locale);
// The user's message language as gettext picks it: LANGUAGE's first language spoken here, else
// the locale of LC_ALL, else LC_MESSAGES, else LANG.
// Windows builds start in English.
std::string LanguageOfUserLocale();
// The first language of GNU's LANGUAGE list ("es:en") that the program speaks; "" for none.
std::string FirstSpokenLanguage(std::string_view list);

// Line ends as the platform's tools expect them: the documents are built with CRLF, which on
// Linux become LF (grep '$', awk and cut would otherwise see a stray "\r").
std::string NativeLineEnds(std::string text);

// A report document as it leaves the program for a file or standard output. On Linux: UTF-8
// and LF, whatever the locale (a C locale would lose every accent). On Windows: CRLF in the
// ANSI code page. An HTML document also declares that character set in its head.
std::string ExportDocument(std::string document, bool html);

} // namespace hl
