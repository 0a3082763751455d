// orv-cli: the engine on the command line. Reads the data folder and the
// settings store, never writes either.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::cli {

enum ExitStatus { Success = 0, Refused = 1, Usage = 2, LoadFailed = 3 };

struct Output {
    std::string out;  // rows, LF-ended, fields separated by TAB
    std::string err;  // messages
    // When set, a command of millions of rows hands them over a megabyte at
    // a time, so that they need no memory of their own; without it they go
    // to `out` like any other command's.
    std::function<void(std::string_view)> sink;
    // When set, called with the exit status once the command has run and
    // before what it read is freed: a caller that ends the process there
    // leaves the freeing to the system, which costs it nothing, where
    // freeing a lifetime's records one by one takes milliseconds.
    std::function<void(int status)> finish;
};

// Runs one invocation; `args` excludes the program name.
int Run(const std::vector<std::string>& args, Output& output);

}  // namespace orv::cli
