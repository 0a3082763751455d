// A fixture giving each test its own folder for settings files, so that no
// test ever touches the user's configuration. A failed test keeps its folder
// for inspection.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "store/textutil.h"

namespace orv::testing_support {

class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::path(::testing::TempDir()) / "orv-core-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override
    {
        if (!HasFailure()) std::filesystem::remove_all(dir_);
    }
    std::string PathOf(std::string_view name) const { return dir_ + "/" + std::string(name); }
    std::string ReadFile(const std::string& path) const { return ReadWholeFile(path).content; }

    std::string dir_;
};

}  // namespace orv::testing_support
