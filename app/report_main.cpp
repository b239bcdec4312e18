#include "MemoryReserve.h"
#include "ReportCli.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>

#ifndef _WIN32
#include <poll.h>
#include <unistd.h>
#endif

namespace {

// Whether standard output is a pipe whose reader has gone: the write failed with EPIPE, now or
// earlier (a stream stops writing after its first failure, so errno may no longer say so).
bool ReaderGone(int lastError) {
    if (lastError == EPIPE) return true;
#ifndef _WIN32
    pollfd out{STDOUT_FILENO, POLLOUT, 0};
    return ::poll(&out, 1, 0) == 1 && (out.revents & POLLERR);
#else
    return false;
#endif
}

// A report that did not reach standard output (a full disk, a closed descriptor) is a failure
// the user must see. A reader that stopped reading (EPIPE) wanted no more: no word of it.
int CheckedStatus(int status) {
    errno = 0;
    std::cout.flush();
    int why = errno;
    if (std::cout.good() || ReaderGone(why)) return status;
    std::fprintf(stderr, "hardlens-report: cannot write the standard output%s%s\n", why ? ": " : "",
                 why ? std::strerror(why) : "");
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    // Whatever escapes the report becomes one line and exit 1, never an abort: a machine too
    // big for the memory at hand is an error the user can read.
    try {
        hl::KeepMemoryReserve();
        std::ios::sync_with_stdio(false);
        std::vector<std::string> args(argv + 1, argv + argc);
        return CheckedStatus(hl::RunReportCli(args, std::cout, std::cerr));
    } catch (const std::bad_alloc&) {
        std::fputs("hardlens-report: out of memory\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hardlens-report: %s\n", e.what());
    }
    return 1;
}
