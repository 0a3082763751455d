// A private temporary folder for one test, shared by the tests of every layer:
// made fresh under the test temp dir, removed afterwards unless the test
// failed, so that a failure leaves its files to look at. No test touches the
// user's own folders.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace orv::test {

class TempFolder {
public:
    explicit TempFolder(const std::string& stem = "orv")
    {
        std::string pattern = ::testing::TempDir() + stem + "-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
        path_ = pattern + "/";
    }
    ~TempFolder()
    {
        if (!::testing::Test::HasFailure()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // With a trailing '/'.
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

}  // namespace orv::test
