// The Debian package vandirctl_<version>_amd64.deb, unpacked into a scratch
// root as dpkg would lay it out: the installed vandirctl runs, the udev rule
// and the completion land where udev and bash-completion read them, the
// package describes itself as Debian wants (lintian), and its postinst tells
// udev only where udev runs.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "packaging/ShellCommand.h"

namespace vandir::packaging {
namespace {

namespace fs = std::filesystem;

const std::string kPackage = VANDIR_DEB_PACKAGE;

class DebianPackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::is_regular_file(kPackage)) << kPackage << " (the deb preset makes it)";
        const ShellOutput unpack =
            RunShell("dpkg-deb -x " + Quoted(kPackage) + " " + Quoted(Root().string()) +
                     " 2>&1 && dpkg-deb -e " + Quoted(kPackage) + " " + Quoted(Control().string()) +
                     " 2>&1");
        ASSERT_EQ(unpack.exitCode, 0) << unpack.out;
    }

    fs::path Root() const { return scratch_.path() / "root"; }
    fs::path Control() const { return scratch_.path() / "DEBIAN"; }

    std::string Field(const std::string& name) const {
        const ShellOutput field = RunShell("dpkg-deb -f " + Quoted(kPackage) + " " + name);
        EXPECT_EQ(field.exitCode, 0) << name;
        return field.out.empty() ? field.out : field.out.substr(0, field.out.size() - 1);
    }

    // Runs the package's postinst with stand-ins first on PATH (udevadm
    // records its arguments) and gives what udevadm was asked. With udev's
    // socket, the run has a mount namespace of its own whose /run holds
    // /run/udev/control, as where udev runs; ischroot, which takes a mount
    // namespace of its own for a chroot, then stands in too and says whether
    // this is one.
    struct PostinstRun {
        int exitCode = -1;
        std::string output;
        std::string udevadmCalls;
    };
    PostinstRun RunPostinst(bool udevSocket, bool inChroot) {
        const fs::path bin = scratch_.path() / "bin";
        const fs::path calls = scratch_.path() / "udevadm-calls";
        const fs::path script = scratch_.path() / "run-postinst";
        fs::create_directories(bin);
        fs::remove(calls);
        fs::remove(bin / "ischroot");
        std::ofstream(bin / "udevadm")
            << "#!/bin/sh\necho \"$*\" >> " << Quoted(calls.string()) << "\n";
        if (udevSocket) {
            std::ofstream(bin / "ischroot") << "#!/bin/sh\nexit " << (inChroot ? 0 : 1) << "\n";
        }
        std::ofstream out(script);
        out << "set -e\n";
        if (udevSocket) {
            out << "mount -t tmpfs none /run\nmkdir /run/udev\n"
                   "python3 -c 'import socket; "
                   "socket.socket(socket.AF_UNIX).bind(\"/run/udev/control\")'\n";
        }
        out << "PATH=" << Quoted(bin.string()) << ":$PATH "
            << Quoted((Control() / "postinst").string()) << " configure\n";
        out.close();
        const ShellOutput run = RunShell("chmod +x " + Quoted(bin.string()) + "/* && " +
                                         (udevSocket ? "unshare --mount " : "") + "sh " +
                                         Quoted(script.string()) + " 2>&1");
        return {run.exitCode, run.out, ReadText(calls)};
    }

    ScratchFolder scratch_;
};

TEST_F(DebianPackageTest, NamesItselfAndDependsOnWhatTheBinaryLinks) {
    EXPECT_EQ(fs::path(kPackage).filename(), "vandirctl_" VANDIR_VERSION "_amd64.deb");
    EXPECT_EQ(Field("Package"), "vandirctl");
    EXPECT_EQ(Field("Version"), VANDIR_VERSION);
    EXPECT_EQ(Field("Architecture"), "amd64");
    // dpkg-shlibdeps: the C and C++ runtimes, with versions.
    const std::string depends = Field("Depends");
    EXPECT_NE(depends.find("libc6 (>= "), std::string::npos) << depends;
    EXPECT_NE(depends.find("libstdc++6 (>= "), std::string::npos) << depends;
}

TEST_F(DebianPackageTest, InstalledVandirctlRunsAndReportsTheVersion) {
    const fs::path program = Root() / "usr/bin/vandirctl";
    ASSERT_TRUE(fs::is_regular_file(program));
    const ShellOutput version = RunShell(Quoted(program.string()) + " --version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "vandirctl " VANDIR_VERSION "\n");
    // Release build, no sanitizer runtime.
    const ShellOutput libraries = RunShell("ldd " + Quoted(program.string()));
    EXPECT_EQ(libraries.out.find("asan"), std::string::npos) << libraries.out;
}

TEST_F(DebianPackageTest, PutsTheUdevRuleWhereUdevReadsTheDistributionsRules) {
    const fs::path rule = Root() / "usr/lib/udev/rules.d/70-vandir-ii.rules";
    ASSERT_TRUE(fs::is_regular_file(rule));
    EXPECT_EQ(ReadText(rule), ReadText(VANDIR_UDEV_RULE_SOURCE));
}

TEST_F(DebianPackageTest, PutsTheCompletionWhereBashCompletionLoadsIt) {
    const ShellOutput folder = RunShell("pkg-config --variable=completionsdir bash-completion");
    ASSERT_EQ(folder.exitCode, 0) << "bash-completion's pkg-config file";
    const fs::path completion =
        Root() / fs::path(folder.out.substr(0, folder.out.size() - 1)).relative_path() /
        "vandirctl";
    ASSERT_TRUE(fs::is_regular_file(completion)) << completion;
    EXPECT_EQ(ReadText(completion), ReadText(VANDIR_BASH_COMPLETION_SOURCE));
    // bash-completion's own loader finds it by the command's name in the
    // unpacked tree's data folder.
    const ShellOutput loaded =
        RunShell("XDG_DATA_DIRS=" + Quoted((Root() / "usr/share").string()) +
                 " bash -c 'source /usr/share/bash-completion/bash_completion && "
                 "__load_completion vandirctl && complete -p vandirctl' 2>&1");
    EXPECT_EQ(loaded.exitCode, 0) << loaded.out;
    EXPECT_EQ(loaded.out, "complete -F _vandirctl vandirctl\n");
}

TEST_F(DebianPackageTest, CarriesTheManualPageCopyrightAndChangelog) {
    const fs::path page = Root() / "usr/share/man/man1/vandirctl.1.gz";
    ASSERT_TRUE(fs::is_regular_file(page));
    const ShellOutput shown =
        RunShell("MANWIDTH=1000 man --no-hyphenation -l " + Quoted(page.string()) + " 2>&1");
    EXPECT_EQ(shown.exitCode, 0) << shown.out;
    EXPECT_NE(shown.out.find("/usr/lib/udev/rules.d/70-vandir-ii.rules"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(Root() / "usr/share/doc/vandirctl/copyright"));
    const ShellOutput changelog =
        RunShell("dpkg-parsechangelog -S Version -l " +
                 Quoted((Root() / "usr/share/doc/vandirctl/changelog.gz").string()) + " 2>&1");
    EXPECT_EQ(changelog.out, VANDIR_VERSION "\n") << "the changelog's latest entry";
}

TEST_F(DebianPackageTest, LintianFindsNoErrorOrWarning) {
    const ShellOutput lintian =
        RunShell("lintian --fail-on error,warning " + Quoted(kPackage) + " 2>&1");
    EXPECT_EQ(lintian.exitCode, 0) << lintian.out;
}

// Where udev runs, the postinst has it read the rule again and apply it to
// the hidraw nodes already there.
TEST_F(DebianPackageTest, PostinstReloadsUdevRulesAndTriggersHidrawWhereUdevRuns) {
    const PostinstRun run = RunPostinst(/*udevSocket=*/true, /*inChroot=*/false);
    if (run.exitCode != 0 && RunShell("unshare --mount true 2>&1").exitCode != 0) {
        GTEST_SKIP() << "no mount namespace can be had here to stand in for a running udev";
    }
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.udevadmCalls,
              "control --reload-rules\ntrigger --subsystem-match=hidraw --action=change\n");
}

// Where no udev runs (a container such as this test's, an image build) or in
// a chroot (whose udev would be the host's), the postinst asks nothing of udev
// and succeeds.
TEST_F(DebianPackageTest, PostinstLeavesUdevAloneInAContainerOrAChroot) {
    if (fs::exists("/run/udev/control")) {
        GTEST_SKIP() << "udev runs on this machine: no container to try";
    }
    const PostinstRun container = RunPostinst(/*udevSocket=*/false, /*inChroot=*/false);
    EXPECT_EQ(container.exitCode, 0) << container.output;
    EXPECT_EQ(container.udevadmCalls, "");

    const PostinstRun chroot = RunPostinst(/*udevSocket=*/true, /*inChroot=*/true);
    if (chroot.exitCode != 0 && RunShell("unshare --mount true 2>&1").exitCode != 0) {
        GTEST_SKIP() << "no mount namespace can be had here to stand in for a bind-mounted /run";
    }
    EXPECT_EQ(chroot.exitCode, 0) << chroot.output;
    EXPECT_EQ(chroot.udevadmCalls, "");
}

}  // namespace
}  // namespace vandir::packaging
