#include "LocaleText.h"

#ifndef _WIN32
#include <cerrno>
#include <clocale>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
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
#endif

} // namespace hl
