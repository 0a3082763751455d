// The read floor of a data folder: what it costs a fresh process only to read
// the six data files and count their lines, with nothing parsed. The command
// line benchmarks (cli-floor) measure orv-cli against it.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: orv-read-floor FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    std::vector<char> buffer(1 << 20);
    unsigned long long lines = 0;
    for (const char* name : {"data.orv", "cal.orv", "adv.orv", "year.orv", "month.orv", "week.orv"}) {
        const int fd = ::open((folder + name).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        for (;;) {
            const ssize_t n = ::read(fd, buffer.data(), buffer.size());
            if (n <= 0) break;
            const char* p = buffer.data();
            const char* end = p + n;
            while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)))) != nullptr) {
                ++lines;
                ++p;
            }
        }
        ::close(fd);
    }
    std::printf("%llu\n", lines);
    return 0;
}
