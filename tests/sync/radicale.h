// A CalDAV/CardDAV server for tests: Radicale on 127.0.0.1, on a free port,
// with its own configuration, users file and storage in a temporary folder,
// so that no test touches a real server or the user's files. The server is
// up when the constructor returns (or Error() says why not) and is stopped,
// and its folder removed, by the destructor. Plain C++ (no Qt), so that
// GoogleTest and Qt Test executables can both use it. The server also ends
// when the thread that started it does (a crashed or killed test leaves none
// behind): start it on the test's main thread.
#pragma once

#include <string>
#include <sys/types.h>

namespace orv::testing_support {

// The users are "alice" (password "secret") and "bob" ("hunter2").
struct RadicaleOptions {
    // With both set the server speaks only HTTPS with this certificate.
    std::string certificate;
    std::string key;
};

// A self-signed certificate for 127.0.0.1 and localhost, made with openssl in
// `folder`; empty paths and a message in `error` when openssl failed.
struct TestCertificate {
    std::string certificate;
    std::string key;
    std::string error;
};
TestCertificate MakeSelfSignedCertificate(const std::string& folder);

class Radicale {
public:
    explicit Radicale(RadicaleOptions options = {});
    ~Radicale();
    Radicale(const Radicale&) = delete;
    Radicale& operator=(const Radicale&) = delete;

    // Whether the server answers; Error() tells why not (with its log).
    bool Running() const { return pid_ > 0; }
    const std::string& Error() const { return error_; }

    // "http://127.0.0.1:PORT" or "https://…" (no trailing slash).
    std::string Url() const;

    // The interpreter that has the radicale module: ORV_TEST_PYTHON, or the
    // system's /usr/bin/python3 (where the Debian package installs it).
    static std::string Python();

private:
    bool StartOnce(std::string& failure);
    // What the server printed so far.
    std::string Log() const;
    // Stops the server (SIGTERM, then SIGKILL) and keeps the folder.
    void Stop();

    RadicaleOptions options_;
    std::string folder_;
    std::string error_;
    int port_ = 0;
    pid_t pid_ = -1;
};

}  // namespace orv::testing_support
