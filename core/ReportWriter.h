#pragma once

#include "core/CopyText.h"
#include "core/DataSource.h"
#include "core/StringTable.h"
#include "core/Version.h"

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace hl {

// How a row ends. Rows end with CRLF in the text and "<br>" CRLF in the HTML document; a
// section's last row gets no CRLF in the text, and its HTML closing is the section's own.
enum class RowEnd {
    Normal,
    LastBr,      // HTML: "<br>" alone
    LastNothing, // HTML: nothing
    LastBrCrlf,  // HTML: "<br>" and CRLF, like every other row
};

// "Medium Time": 12-hour clock, two-digit hour and minutes, then the AM/PM designator; the
// 24-hour clock ("17:05") where the locale has no designators.
std::string MediumTime(const std::tm& t, const Regional& regional);
// The date in the regional short-date pattern (d, dd, M, MM, yy, yyyy, other characters kept).
std::string ShortDate(const std::tm& t, const Regional& regional);

// One of the report's documents, left unbuilt when nobody reads it (the command line writes one).
class ReportDocument {
public:
    ReportDocument& operator+=(const std::string& more) {
        if (wanted) text += more;
        return *this;
    }
    ReportDocument& operator+=(const char* more) {
        if (wanted) text += more;
        return *this;
    }
    bool EndsWithLine() const {
        return text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
    }

    std::string text;
    bool wanted = true;
};

enum class Documents { Both, Text, Html };

// The framing of both report documents: head, section heading, row, section end and foot,
// each appending first to the text and then to the HTML document. Every value, caption and
// title is HTML-escaped in the HTML document and written as it is in the text.
class ReportWriter {
public:
    using Clock = std::function<std::tm()>;

    ReportWriter(
        const StringTable& table, std::string skin, Regional regional, Clock clock,
        std::function<void()> pumpEvents = [] {});

    // Replaces the identifying rows of the report by a marker (report shared on a forum).
    void SetPrivate(bool on) { private_ = on; }
    // Builds only the document asked for; the other stays empty.
    void Build(Documents which) {
        text_.wanted = which != Documents::Html;
        html_.wanted = which != Documents::Text;
    }

    void Head();
    void Heading(const std::string& title);
    // An empty value shows entry kUnknown ("Unknown"); an identifying value shows the marker
    // when the report is private.
    void Row(const std::string& caption, const std::string& value, RowEnd end = RowEnd::Normal,
             bool identifying = false);
    // A row whose caption differs between the text and the HTML document.
    void SplitRow(const std::string& textCaption, const std::string& htmlCaption,
                  const std::string& value, RowEnd end = RowEnd::Normal, bool identifying = false);
    // Devices listed after the rows of the section being written: the section's end (or the
    // foot) writes them before it closes the section.
    void HoldDevices(std::vector<ShownDevice> devices) { held_ = std::move(devices); }
    void SectionEnd();
    void Foot();

    const std::string& Text() const { return text_.text; }
    const std::string& Html() const { return html_.text; }
    // The text as the foot leaves it (TiO); nothing is written after the foot, so it is the
    // text itself, not a second copy.
    const std::string& TextCopy() const { return text_.text; }
    // The documents, handed over without a copy; the writer is done with them.
    std::string TakeText() { return std::move(text_.text); }
    std::string TakeHtml() { return std::move(html_.text); }
    const StringTable& Table() const { return table_; }
    const Regional& RegionalSettings() const { return regional_; }

    static std::tm SystemClock();

private:
    std::string Banner();
    void WriteHeldDevices();
    void WriteHtmlRow(const std::string& caption, const std::string& shown, RowEnd end);

    const StringTable& table_;
    std::string colour_; // "#rrggbb", empty for a skin outside the four
    Regional regional_;
    Clock clock_;
    std::function<void()> pump_;
    ReportDocument text_, html_;
    std::vector<ShownDevice> held_;
    bool firstRow_ = true;
    bool private_ = false;
};

inline constexpr const char* kCrlf = "\r\n";
inline constexpr const char* kBullet = " \xC2\xB7 ";

} // namespace hl
