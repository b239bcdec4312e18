#include "ReportCli.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    return hl::RunReportCli(args, std::cout, std::cerr);
}
