// A test fixture working in a scratch folder of its own.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace testing_support {

class FolderTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Write(const std::string& name, const std::string& text) {
        WriteFile(dir_ / name, text);
        return Path(name);
    }
    const TempDir tmp_;
    const std::filesystem::path dir_ = tmp_.Path();
};

}  // namespace testing_support
