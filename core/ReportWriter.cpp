#include "ReportWriter.h"

#include "core/PlainText.h"
#include "core/RowTable.h"
#include "core/Skins.h"
#include "core/TextFormats.h"

#include <cstdio>

namespace hl {

namespace {

const std::string kPrivateText = kPrivateMarker;
const size_t kRoomAfter = 1024 * 1024;

// Room for a row of `rowSize` bytes and the rest of a report after it: a long value then grows
// the document once, not again (to twice its size, beside the old copy) at the next line.
void MakeRoom(std::string& document, size_t rowSize) {
    const size_t needed = document.size() + rowSize + 64;
    if (needed > document.capacity()) document.reserve(needed + kRoomAfter);
}

const char* const kSectionRule = "------------------";
const char* const kFootRule = "-----------------------------------------------";

std::string TwoDigits(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

} // namespace

std::string MediumTime(const std::tm& t, const Regional& regional) {
    // A locale without designators keeps a 24-hour clock: "05:05" alone would hide the PM.
    if (TrimSpaces(regional.am).empty() && TrimSpaces(regional.pm).empty())
        return TwoDigits(t.tm_hour) + ":" + TwoDigits(t.tm_min);
    int hour = t.tm_hour % 12;
    if (hour == 0) hour = 12;
    return TwoDigits(hour) + ":" + TwoDigits(t.tm_min) + " " +
           (t.tm_hour < 12 ? regional.am : regional.pm);
}

std::string ShortDate(const std::tm& t, const Regional& regional) {
    const std::string& p = regional.shortDate;
    std::string out;
    for (size_t i = 0; i < p.size();) {
        char c = p[i];
        size_t run = 1;
        while (i + run < p.size() && p[i + run] == c)
            ++run;
        if (c == 'd' && run <= 2)
            out += run == 1 ? std::to_string(t.tm_mday) : TwoDigits(t.tm_mday);
        else if (c == 'M' && run <= 2)
            out += run == 1 ? std::to_string(t.tm_mon + 1) : TwoDigits(t.tm_mon + 1);
        else if (c == 'y' && run >= 3)
            out += std::to_string(t.tm_year + 1900);
        else if (c == 'y')
            out += TwoDigits((t.tm_year + 1900) % 100);
        else
            out.append(run, c);
        i += run;
    }
    return out;
}

std::tm ReportWriter::SystemClock() {
    std::time_t now = std::time(nullptr);
    std::tm t{};
#ifdef _WIN32
    localtime_s(&t, &now);
#else
    localtime_r(&now, &t);
#endif
    return t;
}

ReportWriter::ReportWriter(const StringTable& table, std::string skin, Regional regional,
                           Clock clock, std::function<void()> pumpEvents)
    : table_(table), regional_(std::move(regional)), clock_(std::move(clock)),
      pump_(std::move(pumpEvents)) {
    if (const Skin* s = FindSkin(skin)) colour_ = s->htmlColour;
}

std::string ReportWriter::Banner() {
    std::tm now = clock_();
    // The am/pm designators and the date pattern come from the machine (or its recording).
    return PlainText(table_[196] + " " + kProductLine + " " + table_[77] + " " +
                     MediumTime(now, regional_) + " " + table_[197] + " " +
                     ShortDate(now, regional_) + ".");
}

void ReportWriter::Head() {
    text_.text.clear();
    text_ += kCrlf;
    text_ += kBullet + Banner() + kCrlf + kCrlf + kCrlf;
    html_ += "<html>\r\n";
    html_ += "<head><title>" + EscapeHtml(table_[214]) + "</title></head>\r\n";
    html_ += "<body><br>\r\n";
    if (!colour_.empty())
        html_ += "<center><font size=4 color=" + colour_ + "><i>" + EscapeHtml(Banner()) +
                 "</i></font></center><br><hr width='900'><br><br>\r\n\r\n\r\n";
}

void ReportWriter::Heading(const std::string& title) {
    text_ += " " + title + kCrlf + kSectionRule + kCrlf;
    if (!colour_.empty())
        html_ += "<font color=" + colour_ + " size=4><strong><i>" + EscapeHtml(title) +
                 "</i></strong></font><br>\r\n";
    html_ += std::string(kSectionRule) + "<br>\r\n";
    firstRow_ = true;
    pump_();
}

void ReportWriter::Row(const std::string& caption, const std::string& value, RowEnd end,
                       bool identifying) {
    SplitRow(caption, caption, value, end, identifying);
}

void ReportWriter::SplitRow(const std::string& textCaption, const std::string& htmlCaption,
                            const std::string& value, RowEnd end, bool identifying) {
    // A value as long as a machine's list is appended where it goes, never copied on the way.
    const std::string& shown = private_ && identifying ? kPrivateText
                               : value.empty()         ? table_[kUnknown]
                                                       : value;
    if (text_.wanted) {
        MakeRoom(text_.text, textCaption.size() + shown.size());
        text_ += kBullet + textCaption + ": ";
        AppendPlainText(text_.text, shown);
    }
    if (end == RowEnd::Normal) text_ += kCrlf;
    if (html_.wanted) WriteHtmlRow(htmlCaption, shown, end);
    firstRow_ = false;
    pump_();
}

void ReportWriter::WriteHtmlRow(const std::string& caption, const std::string& shown, RowEnd end) {
    html_ += firstRow_ ? "<ul><li><strong>" : "<li><strong>";
    html_ += EscapeHtml(caption) + ":</strong> ";
    MakeRoom(html_.text, shown.size());
    AppendEscapedHtml(html_.text, shown);
    switch (end) {
    case RowEnd::Normal:
    case RowEnd::LastBrCrlf: html_ += "<br>\r\n"; break;
    case RowEnd::LastBr: html_ += "<br>"; break;
    case RowEnd::LastNothing: break;
    }
}

// A blank line, then the device as Copy gives it; in HTML a nested list inside the section's.
void ReportWriter::WriteHeldDevices() {
    for (const ShownDevice& device : held_) {
        if (!text_.EndsWithLine()) text_ += kCrlf;
        if (text_.wanted) text_ += kCrlf + DeviceText(device);
        if (!html_.text.empty() && html_.text.back() != '\n') html_ += kCrlf;
        html_ += firstRow_ ? "<ul><li><strong>" : "<li><strong>";
        html_ += EscapeHtml(device.heading) + "</strong><ul>\r\n";
        for (const auto& [caption, value] : device.fields)
            html_ += "<li><strong>" + EscapeHtml(caption) + ":</strong> " + EscapeHtml(value) +
                     "<br>\r\n";
        html_ += "</ul>\r\n";
        firstRow_ = false;
        pump_();
    }
    held_.clear();
}

void ReportWriter::SectionEnd() {
    WriteHeldDevices();
    text_ += "\r\n\r\n\r\n";
    html_ += "</ul><br><br>\r\n\r\n\r\n";
}

void ReportWriter::Foot() {
    WriteHeldDevices();
    text_ += "\r\n\r\n\r\n";
    text_ += std::string(kFootRule) + kCrlf;
    text_ += kBullet + table_[206] + kCrlf;
    html_ += "</ul><br><br>\r\n";
    if (!colour_.empty())
        html_ += "<center><hr width='900'><font size=4 color=" + colour_ + "><i><br>" +
                 EscapeHtml(table_[206]) + "</i></font></center><br>\r\n\r\n";
    html_ += "</body>\r\n</html>";
}

} // namespace hl
