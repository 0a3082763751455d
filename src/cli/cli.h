// orv-cli: the engine on the command line. Reads the data folder and the
// settings store, never writes either.
#pragma once

#include <string>
#include <vector>

namespace orv::cli {

enum ExitStatus { Success = 0, Refused = 1, Usage = 2, LoadFailed = 3 };

struct Output {
    std::string out;  // rows, LF-ended, fields separated by TAB
    std::string err;  // messages
};

// Runs one invocation; `args` excludes the program name.
int Run(const std::vector<std::string>& args, Output& output);

}  // namespace orv::cli
