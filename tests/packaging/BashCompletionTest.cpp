// vandirctl's bash completion, run as Tab runs it on partial command lines:
// commands and options as --help lists them, profile set's field paths as
// "vandirctl profile fields" prints them, file names elsewhere.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "packaging/CommandTree.h"
#include "packaging/ShellCommand.h"

namespace vandir::packaging {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Sorted(std::vector<std::string> words) {
    std::sort(words.begin(), words.end());
    return words;
}

class BashCompletionTest : public ::testing::Test {
protected:
    // What Tab offers for the words after "vandirctl" (the last one being
    // completed), in the scratch folder, sorted.
    std::vector<std::string> Complete(const std::vector<std::string>& words) {
        std::string command = "cd " + Quoted(scratch_.path().string()) + " && bash " +
                              Quoted(VANDIR_COMPLETE_WORDS) + " " +
                              Quoted(VANDIR_BASH_COMPLETION_SOURCE) + " " + Quoted(VANDIRCTL_PATH);
        for (const std::string& word : words) {
            command += " " + Quoted(word);
        }
        const ShellOutput offered = RunShell(command + " 2>&1");
        EXPECT_EQ(offered.exitCode, 0) << offered.out;
        return Sorted(Lines(offered.out));
    }

    void MakeFile(const std::string& name) { std::ofstream(scratch_.path() / name) << "x"; }

    ScratchFolder scratch_;
};

TEST_F(BashCompletionTest, OffersEveryCommandHelpListsBelowTheOneTyped) {
    EXPECT_EQ(Complete({""}), Sorted(ListingOf(VANDIRCTL_PATH, {}).commands));
    for (const std::vector<std::string>& path : CommandPaths(VANDIRCTL_PATH)) {
        const std::vector<std::string> children = ListingOf(VANDIRCTL_PATH, path).commands;
        if (children.empty()) {
            continue;
        }
        std::vector<std::string> words = path;
        words.push_back("");
        EXPECT_EQ(Complete(words), Sorted(children)) << Joined(path);
    }
}

TEST_F(BashCompletionTest, CompletesAPartialCommand) {
    EXPECT_EQ(Complete({"pro"}), std::vector<std::string>{"profile"});
    EXPECT_EQ(Complete({"profile", "s"}), (std::vector<std::string>{"set", "show"}));
    EXPECT_EQ(Complete({"device", "u"}), std::vector<std::string>{"unplug"});
}

TEST_F(BashCompletionTest, OffersTheOptionsOfTheCommandTyped) {
    EXPECT_EQ(Complete({"-"}), Sorted(ListingOf(VANDIRCTL_PATH, {}).options));
    for (const std::vector<std::string>& path : CommandPaths(VANDIRCTL_PATH)) {
        std::vector<std::string> words = path;
        words.push_back("--");
        std::vector<std::string> longOptions;
        for (const std::string& option : ListingOf(VANDIRCTL_PATH, path).options) {
            if (option.rfind("--", 0) == 0) {
                longOptions.push_back(option);
            }
        }
        EXPECT_EQ(Complete(words), Sorted(longOptions)) << Joined(path);
    }
    EXPECT_EQ(Complete({"device", "write", "--s"}), std::vector<std::string>{"--simulate"});
}

TEST_F(BashCompletionTest, OffersProfileSetTheFieldPathsTheToolTakes) {
    MakeFile("work.profile");
    const ShellOutput fields = RunShell(Quoted(VANDIRCTL_PATH) + " profile fields");
    ASSERT_EQ(fields.exitCode, 0);
    std::vector<std::string> assignments;
    for (const std::string& path : Lines(fields.out)) {
        assignments.push_back(path + "=");
    }
    ASSERT_FALSE(assignments.empty());
    EXPECT_EQ(Complete({"profile", "set", "work.profile", ""}), Sorted(assignments));
    EXPECT_EQ(Complete({"profile", "set", "work.profile", "reportRate=2", "dpi.1."}),
              (std::vector<std::string>{"dpi.1.x=", "dpi.1.y="}));
    EXPECT_EQ(Complete({"profile", "set", "work.profile", "buttons.3.k"}),
              std::vector<std::string>{"buttons.3.kind="});
    EXPECT_TRUE(Complete({"profile", "set", "work.profile", "reportRate=1"}).empty())
        << "a value has nothing to offer";
}

TEST_F(BashCompletionTest, OffersFileNamesForFilesAndStateFiles) {
    MakeFile("work.profile");
    MakeFile("mouse.state");
    fs::create_directory(scratch_.path() / "profiles");
    EXPECT_EQ(Complete({"profile", "show", "wo"}), std::vector<std::string>{"work.profile"});
    EXPECT_EQ(Complete({"profile", "set", "w"}), std::vector<std::string>{"work.profile"});
    EXPECT_EQ(Complete({"device", "read", "--simulate", "mo"}),
              std::vector<std::string>{"mouse.state"});
    EXPECT_EQ(Complete({"device", "write", "pro"}), std::vector<std::string>{"profiles"});
    EXPECT_EQ(Complete({"image", ""}),
              (std::vector<std::string>{"mouse.state", "profiles", "work.profile"}));
}

}  // namespace
}  // namespace vandir::packaging
