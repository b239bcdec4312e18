#include "core/PlainText.h"
#include "core/TextFormats.h"

#include <gtest/gtest.h>

using namespace hl;

TEST(CapitalizeFirst, RaisesTheFirstLetterAndLowersTheRest) {
    EXPECT_EQ(CapitalizeFirst("WORKGROUP"), "Workgroup");
    EXPECT_EQ(CapitalizeFirst("mshome"), "Mshome");
    EXPECT_EQ(CapitalizeFirst(""), "");
}

TEST(EscapeHtml, EscapesMarkupCharacters) {
    EXPECT_EQ(EscapeHtml("<b>\"A&B\"</b>"), "&lt;b&gt;&quot;A&amp;B&quot;&lt;/b&gt;");
}

// A long value is escaped in slices; where a slice ends must not change what a character
// becomes: a CR LF pair, a euro sign, a C1 control and a bidi override are each placed across
// the first slice's end (64 KiB), and the result is compared with the value escaped in one piece.
TEST(EscapeHtml, ALongValueIsEscapedAsInOnePiece) {
    const size_t slice = 64 * 1024;
    // The whole value made plain, then each markup character replaced, "&" first.
    auto escapedWhole = [](const std::string& s) {
        std::string out = PlainText(s);
        for (const auto& [from, to] : {std::pair<std::string, std::string>{"&", "&amp;"},
                                       {"<", "&lt;"},
                                       {">", "&gt;"},
                                       {"\"", "&quot;"}})
            for (size_t at = out.find(from); at != std::string::npos;
                 at = out.find(from, at + to.size()))
                out.replace(at, from.size(), to);
        return out;
    };
    for (const std::string& across :
         {std::string("\r\n"), std::string("\xE2\x82\xAC"), std::string("\xC2\x85"),
          std::string("\xE2\x80\xAE"), std::string("\xFF<&"), std::string("\r\r\n")})
        for (size_t before : {1u, 2u, 3u}) {
            const std::string value =
                std::string(slice - before, 'a') + across + "b&" + std::string(slice, '"') + across;
            EXPECT_EQ(EscapeHtml(value), escapedWhole(value)) << before;
            std::string appended = "<li>";
            AppendEscapedHtml(appended, value);
            EXPECT_EQ(appended, "<li>" + escapedWhole(value)) << before;
        }
}
