// Writes the workload "a lifetime" into a data folder, for the benchmarks and
// for trying the program on a full data set.
#include <cstdio>
#include <string>

#include "lifetime.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: orv-generate-lifetime DATA-FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.empty() || folder.back() != '/') folder += '/';
    orv::bench::Lifetime data;
    orv::bench::MakeLifetime(data);
    if (!orv::bench::WriteLifetime(data, folder)) {
        std::fprintf(stderr, "could not write the data files into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
