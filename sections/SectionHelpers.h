#pragma once

// Pieces shared by the collectors and report builders of BIOS, Display, Keyboard and mouse,
// Removable memory, CD/DVD and Other hardware.

#include "core/DataSource.h"
#include "core/Skip.h"
#include "report/ReportWriter.h"

#include <string>
#include <utility>
#include <vector>

namespace hl {

// Target := trimmed property text; a Null property fails, so a guarded read keeps the target.
inline void ReadTrimmed(std::string& target, const WmiObject& object, const char* property) {
    target = object.Get(property).Trimmed();
}

// The instances of `cls` on a service that may be missing (its binding failed); a failing
// enumeration gives no instances, as a skipped walk does.
inline std::vector<WmiObject> EnumerateGuarded(const std::shared_ptr<WmiService>& service,
                                               const char* cls) {
    std::vector<WmiObject> instances;
    Skip([&] {
        if (!service) throw PlatformError("WMI is not bound");
        instances = service->InstancesOf(cls);
    });
    return instances;
}

// A list without its last k characters (its trailing separator); empty when nothing is left.
inline std::string ListMinus(const std::string& list, size_t k) {
    return list.size() > k ? list.substr(0, list.size() - k) : std::string();
}

// A report line: caption text (without ": ") and value (empty shows "Unknown").
struct ReportLine {
    std::string caption;
    std::string value;
};

// Writes the lines of one section; the last ends as the section says.
inline void WriteReportLines(ReportWriter& writer, const std::vector<ReportLine>& lines,
                             RowEnd lastEnd) {
    for (size_t i = 0; i < lines.size(); ++i)
        writer.Row(lines[i].caption, lines[i].value,
                   i + 1 == lines.size() ? lastEnd : RowEnd::Normal);
}

} // namespace hl
