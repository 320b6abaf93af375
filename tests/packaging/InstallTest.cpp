// cmake --install of the native tree, into a staging folder (DESTDIR) as a
// package build does: vandirctl under the prefix, the udev rule where udev
// reads it, and the installed vandirctl reporting the project's version.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vandir {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Output {
    int exitCode = -1;
    std::string out;
};

Output RunShell(const std::string& command) {
    Output result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[256];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

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
    const Output install =
        RunShell("DESTDIR=" + Quoted(stage_.string()) + " " + Quoted(VANDIR_CMAKE_COMMAND) +
                 " --install " + Quoted(VANDIR_BINARY_DIR) + " --prefix /usr/local 2>&1");
    ASSERT_EQ(install.exitCode, 0) << install.out;

    const fs::path rule = stage_.string() + VANDIR_UDEV_RULE_FILE;
    ASSERT_TRUE(fs::is_regular_file(rule)) << install.out;
    EXPECT_EQ(ReadText(rule), ReadText(VANDIR_UDEV_RULE_SOURCE));
    EXPECT_EQ(fs::status(rule).permissions() & fs::perms::others_read, fs::perms::others_read);

    const fs::path program = stage_ / "usr/local/bin/vandirctl";
    ASSERT_TRUE(fs::is_regular_file(program)) << install.out;
    const Output version = RunShell(Quoted(program.string()) + " --version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("vandirctl ") + VANDIR_VERSION + "\n");
}

}  // namespace
}  // namespace vandir
