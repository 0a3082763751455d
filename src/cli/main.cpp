#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    orv::cli::Output output;
    output.sink = [](std::string_view rows) { std::fwrite(rows.data(), 1, rows.size(), stdout); };
    const auto write = [&output] {
        std::fwrite(output.out.data(), 1, output.out.size(), stdout);
        std::fflush(stdout);
        std::fwrite(output.err.data(), 1, output.err.size(), stderr);
        std::fflush(stderr);
    };
    output.finish = [&write](int status) {
        write();
        std::_Exit(status);
    };
    const int status = orv::cli::Run(args, output);
    write();
    return status;
}
