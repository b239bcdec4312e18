#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace hl {

// hardlens-report: prints or writes the report, one section, or a snapshot of this machine; or
// compares two machines, or lists many. Returns the process exit code: 0 success, 1 a section
// or report that could not be collected (or a recording of an inventory that could not be
// read), 2 bad arguments or an unreadable snapshot, 3 machines compared that differ.
int RunReportCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace hl
