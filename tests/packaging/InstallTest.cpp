// cmake --install of the native tree, into a staging folder (DESTDIR) as a
// package build does: vandirctl under the prefix, the udev rule where udev
// reads it, the manual page and completion, and the installed vandirctl
// reporting the project's version.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "packaging/ShellCommand.h"

namespace vandir::packaging {
namespace {

namespace fs = std::filesystem;

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vandir-install-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        stage_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(stage_, ignored);
    }

    fs::path stage_;
};

TEST_F(InstallTest, PutsVandirctlUnderThePrefixAndTheRuleWhereUdevReadsIt) {
    const ShellOutput install =
        RunShell("DESTDIR=" + Quoted(stage_.string()) + " " + Quoted(VANDIR_CMAKE_COMMAND) +
                 " --install " + Quoted(VANDIR_BINARY_DIR) + " --prefix /usr/local 2>&1");
    ASSERT_EQ(install.exitCode, 0) << install.out;

    const fs::path rule = stage_.string() + VANDIR_UDEV_RULE_FILE;
    ASSERT_TRUE(fs::is_regular_file(rule)) << install.out;
    EXPECT_EQ(ReadText(rule), ReadText(VANDIR_UDEV_RULE_SOURCE));
    EXPECT_EQ(fs::status(rule).permissions() & fs::perms::others_read, fs::perms::others_read);

    const fs::path program = stage_ / "usr/local/bin/vandirctl";
    ASSERT_TRUE(fs::is_regular_file(program)) << install.out;
    const ShellOutput version = RunShell(Quoted(program.string()) + " --version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("vandirctl ") + VANDIR_VERSION + "\n");

    // The manual page and the completion, where man and bash-completion look
    // under /usr/local.
    EXPECT_TRUE(fs::is_regular_file(stage_ / "usr/local/share/man/man1/vandirctl.1.gz"));
    EXPECT_TRUE(
        fs::is_regular_file(stage_ / "usr/local/share/bash-completion/completions/vandirctl"));
}

}  // namespace
}  // namespace vandir::packaging
