// The manual page the build writes, read as man shows it: every command and
// option vandirctl's --help lists is in it, and so are the exit codes, the
// files, the saving rules and the udev rule.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "packaging/CommandTree.h"
#include "packaging/ShellCommand.h"

namespace vandir::packaging {
namespace {

// The page as man formats it, one paragraph a line, no hyphenation.
std::string RenderedPage() {
    const ShellOutput page = RunShell("MANWIDTH=1000 man --no-hyphenation --no-justification -l " +
                                      Quoted(VANDIR_MANUAL_PAGE) + " 2>&1");
    EXPECT_EQ(page.exitCode, 0) << page.out;
    return page.out;
}

TEST(ManualPageTest, DescribesEveryCommandAndOptionThatHelpLists) {
    const std::string page = RenderedPage();
    const std::vector<std::vector<std::string>> paths = CommandPaths(VANDIRCTL_PATH);
    ASSERT_FALSE(paths.empty()) << "vandirctl --help lists no command";
    for (const std::vector<std::string>& path : paths) {
        const std::string heading = "vandirctl " + Joined(path) + " [OPTIONS]";
        EXPECT_NE(page.find(heading), std::string::npos) << heading;
        for (const std::string& option : ListingOf(VANDIRCTL_PATH, path).options) {
            EXPECT_NE(page.find(option), std::string::npos) << Joined(path) << " " << option;
        }
    }
    for (const std::string& option : ListingOf(VANDIRCTL_PATH, {}).options) {
        EXPECT_NE(page.find(option), std::string::npos) << option;
    }
}

TEST(ManualPageTest, GivesExitCodesFilesSavingRulesAndTheUdevRule) {
    const std::string page = RenderedPage();
    for (const char* text :
         {"EXIT STATUS", "FILES", "SAVING", "DEVICE ACCESS", "--simulate STATE",
          "FILE.vandir-save.PID.UNIQUE.tmp", "symbolic link", "mode and owner", "in one step",
          VANDIR_UDEV_RULE_FILE, "uaccess", "vandirctl " VANDIR_VERSION}) {
        EXPECT_NE(page.find(text), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace vandir::packaging
