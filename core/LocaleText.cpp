#include "LocaleText.h"

#include <cstdlib>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <cerrno>
#include <clocale>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#else
#include <windows.h>
#endif

namespace hl {

#ifndef _WIN32
namespace {

std::string LocaleCodeset() {
    // The program may not have called setlocale; ask the environment's locale without
    // changing the process-wide one.
    locale_t loc = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (!loc) return "ANSI_X3.4-1968";
    std::string codeset = nl_langinfo_l(CODESET, loc);
    freelocale(loc);
    return codeset;
}

// Length of the UTF-8 sequence starting at s[i] (1 for an invalid byte).
size_t SequenceLength(const std::string& s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    return i + n <= s.size() ? n : 1;
}

} // namespace

std::string ToLocaleCharset(const std::string& utf8) {
    std::string codeset = LocaleCodeset();
    if (codeset == "UTF-8" || codeset == "utf8") return utf8;
    iconv_t cd = iconv_open(codeset.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
    std::string out;
    char buf[16];
    for (size_t i = 0; i < utf8.size();) {
        size_t n = SequenceLength(utf8, i);
        char* in = const_cast<char*>(utf8.data() + i);
        size_t inLeft = n, outLeft = sizeof buf;
        char* o = buf;
        if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1)) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            out += '?';
        } else {
            out.append(buf, o - buf);
        }
        i += n;
    }
    iconv_close(cd);
    return out;
}
#else
// Report files are written in the ANSI code page. Invalid UTF-8 becomes U+FFFD on the way in
// and, like every character the code page lacks, "?" on the way out.
std::string ToLocaleCharset(const std::string& utf8) {
    UINT codePage = GetACP();
    if (utf8.empty() || codePage == CP_UTF8) return utf8;
    int size = static_cast<int>(utf8.size());
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (n <= 0) return utf8;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), n);
    // Without the flag Windows writes look-alikes ("O" for an omega) instead of "?"; a few code
    // pages refuse the flag.
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    int m = WideCharToMultiByte(codePage, flags, wide.data(), n, nullptr, 0, "?", nullptr);
    if (m <= 0) {
        flags = 0;
        m = WideCharToMultiByte(codePage, flags, wide.data(), n, nullptr, 0, nullptr, nullptr);
    }
    if (m <= 0) return utf8;
    std::string out(static_cast<size_t>(m), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), n, out.data(), m, flags ? "?" : nullptr,
                        nullptr);
    return out;
}
#endif

namespace {

#ifndef _WIN32
std::string OutputCharsetName() {
    return "utf-8";
}
#else
// The names browsers know for the ANSI code pages.
std::string OutputCharsetName() {
    switch (UINT cp = GetACP()) {
    case 932: return "shift_jis";
    case 936: return "gbk";
    case 949: return "euc-kr";
    case 950: return "big5";
    case CP_UTF8: return "utf-8";
    default: return "windows-" + std::to_string(cp);
    }
}
#endif

// The document format has no declaration; a file served over HTTP needs one, or a browser
// guesses Latin-1 and shows "Ã±" for "ñ".
std::string DeclareCharset(std::string html) {
    const std::string head = "<head>";
    size_t at = html.find(head);
    if (at == std::string::npos) return html;
    const std::string_view rest = std::string_view(html).substr(at);
    if (rest.substr(0, rest.find("</head>")).find("charset=") != std::string_view::npos)
        return html;
    html.insert(at + head.size(), "<meta charset=\"" + OutputCharsetName() + "\">");
    return html;
}

} // namespace

std::string LanguageOfLocaleName(const std::string& locale) {
    auto is = [&](const char* code) {
        return locale.compare(0, 2, code) == 0 &&
               (locale.size() == 2 || std::strchr("_.@", locale[2]) != nullptr);
    };
    if (is("es")) return "Spanish";
    if (is("nl")) return "Dutch";
    return "English";
}

// The language of the first entry of a LANGUAGE list ("de:es_ES:en") the program speaks; ""
// when it speaks none of them.
std::string FirstSpokenLanguage(std::string_view list) {
    for (size_t start = 0; start <= list.size();) {
        size_t colon = list.find(':', start);
        std::string entry(
            list.substr(start, colon == std::string_view::npos ? colon : colon - start));
        std::string language = LanguageOfLocaleName(entry);
        bool english = entry.compare(0, 2, "en") == 0 &&
                       (entry.size() == 2 || std::strchr("_.@", entry[2]) != nullptr);
        if (language != "English" || english) return language;
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    return {};
}

std::string LanguageOfUserLocale() {
#ifdef _WIN32
    return "English";
#else
    // LANGUAGE is GNU's list of languages in order of preference ("es:en"): its first one the
    // program speaks wins over the locale.
    if (const char* list = std::getenv("LANGUAGE"); list && *list)
        if (std::string spoken = FirstSpokenLanguage(list); !spoken.empty()) return spoken;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(name); value && *value)
            return LanguageOfLocaleName(value);
    return "English";
#endif
}

std::string NativeLineEnds(std::string text) {
#ifndef _WIN32
    // In place: a report as long as its machine's lists is not copied.
    size_t kept = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            text[kept++] = text[i];
    text.resize(kept);
#endif
    return text;
}

std::string ExportDocument(std::string document, bool html) {
    std::string text =
        NativeLineEnds(html ? DeclareCharset(std::move(document)) : std::move(document));
#ifdef _WIN32
    return ToLocaleCharset(text);
#else
    return text;
#endif
}

} // namespace hl
