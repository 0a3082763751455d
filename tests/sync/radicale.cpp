#include "radicale.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <thread>
#include <vector>

#include "store/fileio.h"

extern char** environ;

namespace orv::testing_support {
namespace {

using Clock = std::chrono::steady_clock;

// Starts `argv` with stdout and stderr appended to `logPath`; -1 on failure.
pid_t Spawn(const std::vector<std::string>& argv, const std::string& logPath)
{
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

sockaddr_in Loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

// A port nobody listens on now. Another process may take it before the
// server binds it; the caller retries then.
int FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool Accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = Loopback(port);
    const bool ok = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

// Waits for `pid` to end within `ms`; true when it did.
bool Reap(pid_t pid, int ms, int* status = nullptr)
{
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    int st = 0;
    for (;;) {
        const pid_t r = ::waitpid(pid, &st, WNOHANG);
        if (r == pid || (r < 0 && errno == ECHILD)) {
            if (status) *status = st;
            return true;
        }
        if (Clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace

TestCertificate MakeSelfSignedCertificate(const std::string& folder)
{
    TestCertificate made{folder + "/server.crt", folder + "/server.key", {}};
    const std::string log = folder + "/openssl.log";
    const pid_t pid = Spawn({"/usr/bin/openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
                             "ec_paramgen_curve:prime256v1", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1",
                             "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost", "-keyout", made.key,
                             "-out", made.certificate},
                            log);
    int status = 0;
    if (pid < 0 || !Reap(pid, 30000, &status) || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        if (pid > 0) ::kill(pid, SIGKILL), Reap(pid, 1000);
        made.error = "openssl could not make a certificate: " + ReadWholeFile(log).content;
        made.certificate.clear();
        made.key.clear();
    }
    return made;
}

std::string Radicale::Python()
{
    const char* python = std::getenv("ORV_TEST_PYTHON");
    return python && *python ? python : "/usr/bin/python3";
}

Radicale::Radicale(RadicaleOptions options) : options_(std::move(options))
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/orv-radicale-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        error_ = std::string("cannot make a temporary folder: ") + std::strerror(errno);
        return;
    }
    folder_ = pattern;
    if (Result r = WriteFileAtomic(folder_ + "/users", "alice:secret\nbob:hunter2\n"); !r) {
        error_ = r.message;
        return;
    }
    // A port taken between FreePort() and the server's bind makes it exit
    // at once; another port then does.
    std::string failure;
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (StartOnce(failure)) return;
        if (failure.find("in use") == std::string::npos) break;
    }
    error_ = failure;
}

bool Radicale::StartOnce(std::string& failure)
{
    port_ = FreePort();
    if (port_ == 0) {
        failure = "no free port on 127.0.0.1";
        return false;
    }
    const bool tls = !options_.certificate.empty() && !options_.key.empty();
    std::string config = "[server]\nhosts = 127.0.0.1:" + std::to_string(port_) + "\n";
    if (tls)
        config += "ssl = True\ncertificate = " + options_.certificate + "\nkey = " + options_.key + "\n";
    config += "[auth]\ntype = htpasswd\nhtpasswd_filename = " + folder_ + "/users\n"
              "htpasswd_encryption = plain\n"
              // No pause after a refused password: tests try wrong ones on purpose.
              "delay = 0\n"
              "[rights]\ntype = owner_only\n"
              "[storage]\nfilesystem_folder = " + folder_ + "/storage\n"
              "[web]\ntype = none\n"
              "[logging]\nlevel = warning\n";
    if (Result r = WriteFileAtomic(folder_ + "/config", config); !r) {
        failure = r.message;
        return false;
    }
    const std::string log = folder_ + "/radicale.log";
    // The server asks the kernel to end it with the test process, so that a
    // test that crashes or is killed leaves no server behind.
    static const char* const kOrphanless =
        "import ctypes, os, runpy, signal, sys\n"
        "ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG\n"
        "if os.getppid() != int(sys.argv[1]): sys.exit(1)\n"
        "sys.argv = ['radicale'] + sys.argv[2:]\n"
        "runpy.run_module('radicale', run_name='__main__', alter_sys=True)\n";
    pid_ = Spawn({Python(), "-c", kOrphanless, std::to_string(::getpid()), "--config", folder_ + "/config"}, log);
    if (pid_ < 0) {
        failure = "cannot start " + Python();
        return false;
    }
    const int timeoutMs = 15000;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end) {
        if (Accepts(port_)) return true;
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            failure = "radicale ended at start:\n" + Log();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    Stop();
    failure = "radicale did not answer within " + std::to_string(timeoutMs) + " ms:\n" + Log();
    return false;
}

std::string Radicale::Url() const
{
    const bool tls = !options_.certificate.empty() && !options_.key.empty();
    return std::string(tls ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

std::string Radicale::Log() const { return ReadWholeFile(folder_ + "/radicale.log").content; }

void Radicale::Stop()
{
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    if (!Reap(pid_, 5000)) {
        ::kill(pid_, SIGKILL);
        Reap(pid_, 5000);
    }
    pid_ = -1;
}

Radicale::~Radicale()
{
    Stop();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

}  // namespace orv::testing_support
