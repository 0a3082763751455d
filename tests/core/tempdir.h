// A fixture giving each test its own folder for settings files, so that no
// test ever touches the user's configuration. A failed test keeps its folder
// for inspection.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "../store/tempfolder.h"
#include "store/textutil.h"

namespace orv::testing_support {

class TempDirTest : public ::testing::Test {
protected:
    std::string PathOf(std::string_view name) const { return folder_ / std::string(name); }
    std::string ReadFile(const std::string& path) const { return ReadWholeFile(path).content; }

    test::TempFolder folder_{"orv-core"};
    // The folder without its trailing '/'.
    const std::string dir_ = folder_.path().substr(0, folder_.path().size() - 1);
};

}  // namespace orv::testing_support
