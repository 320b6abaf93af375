#pragma once
// The demo program as a user runs it: installed in a folder whose path has a
// space, started under Wine in a prefix of its own over a simulated mouse
// kept in a state file, and ended with the Wine server.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "e2e/Processes.h"

namespace vandir::e2e {

struct E2ePaths {
    std::filesystem::path windowsBin;  // VandirII-Demo.exe and Vandir_Skins
    std::filesystem::path work;        // prefix, install folder, state file
    std::filesystem::path vandirctl;   // the native command-line tool
    std::filesystem::path wineRun;     // scripts/wine-run
};

class WineDemo {
public:
    // dpi: the prefix's display (its LogPixels), 96 for 100 %.
    explicit WineDemo(E2ePaths paths, int dpi = 96);

    // Installs the program, creates the prefix once and keeps a copy of its
    // fresh registry; the reason when something is missing, else empty.
    std::string Prepare();

    // Ends every Wine process, puts the fresh registry back, removes the
    // program's folder under the application data and plugs in a simulated
    // mouse with its factory memory.
    void Restore();

    // Starts the demo in the background (extra arguments after --simulate).
    Background Start(const std::vector<std::string>& extraArguments = {});
    // Ends every program of the prefix; the registry files are then written.
    void End();

    const E2ePaths& Paths() const { return paths_; }
    int Dpi() const { return dpi_; }
    std::filesystem::path Prefix() const { return paths_.work / "wineprefix"; }
    std::filesystem::path InstallFolder() const { return paths_.work / "Vandir II"; }
    std::filesystem::path ProgramPath() const { return InstallFolder() / "VandirII-Demo.exe"; }
    std::filesystem::path StatePath() const { return paths_.work / "mouse.vsim"; }
    // The program's folder under the user's application data.
    std::filesystem::path AppDataFolder() const;
    std::filesystem::path ProfilePath() const;
    std::filesystem::path UserRegistry() const { return Prefix() / "user.reg"; }

    // A string value under HKEY_CURRENT_USER, written with Wine's own tool;
    // false when it fails.
    bool SetRegistryString(const std::string& key, const std::string& name,
                           const std::string& data);
    // A value of the fresh prefix's user registry.
    std::optional<std::string> FreshUserValue(const std::string& key,
                                              const std::string& name) const;

    // A Linux path as the program sees it under Wine ("Z:\work\...").
    static std::string WindowsPath(const std::filesystem::path& path);

private:
    std::filesystem::path SnapshotFolder() const { return paths_.work / "fresh-registry"; }
    Environment WineEnvironment() const;

    E2ePaths paths_;
    int dpi_;
    std::filesystem::path userFolder_;
};

}  // namespace vandir::e2e
