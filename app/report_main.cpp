#include "MemoryReserve.h"
#include "ReportCli.h"

#include <cstdio>
#include <iostream>
#include <new>

int main(int argc, char** argv) {
    // Whatever escapes the report becomes one line and exit 1, never an abort: a machine too
    // big for the memory at hand is an error the user can read.
    try {
        hl::KeepMemoryReserve();
        std::ios::sync_with_stdio(false);
        std::vector<std::string> args(argv + 1, argv + argc);
        return hl::RunReportCli(args, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::fputs("hardlens-report: out of memory\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hardlens-report: %s\n", e.what());
    }
    return 1;
}
