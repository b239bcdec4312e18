#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace hl {

// hardlens-report: prints or writes the report, one section, or a snapshot of this machine.
// Returns the process exit code: 0 success, 1 a section or report that could not be
// collected, 2 bad arguments or an unreadable snapshot.
int RunReportCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace hl
