#include "e2e/WineDemo.h"

#include <system_error>

#include "e2e/RegistryFile.h"

namespace vandir::e2e {

namespace fs = std::filesystem;

namespace {

constexpr const char* kWineServer = "/usr/lib/wine/wineserver";
constexpr const char* kWine = "/usr/lib/wine/wine64";
const char* const kRegistryFiles[] = {"user.reg", "system.reg", "userdef.reg"};

}  // namespace

WineDemo::WineDemo(E2ePaths paths, int dpi) : paths_(std::move(paths)), dpi_(dpi) {}

Environment WineDemo::WineEnvironment() const {
    return {{"WINEPREFIX", Prefix().string()}, {"WINEDEBUG", "-all"}};
}

std::string WineDemo::WindowsPath(const fs::path& path) {
    std::string text = "Z:" + fs::absolute(path).lexically_normal().string();
    for (char& c : text) {
        if (c == '/') {
            c = '\\';
        }
    }
    return text;
}

std::string WineDemo::Prepare() {
    const fs::path program = paths_.windowsBin / "VandirII-Demo.exe";
    const fs::path skins = paths_.windowsBin / "Vandir_Skins";
    if (!fs::exists(program) || !fs::is_directory(skins)) {
        return "no Windows build at " + paths_.windowsBin.string() +
               " (VandirII-Demo.exe and Vandir_Skins)";
    }
    if (!fs::exists(kWine) || !fs::exists(kWineServer)) {
        return std::string("Wine is not installed (") + kWine + ")";
    }
    if (!fs::exists(paths_.vandirctl)) {
        return "no vandirctl at " + paths_.vandirctl.string();
    }
    std::error_code error;
    fs::create_directories(InstallFolder(), error);
    fs::copy_file(program, ProgramPath(), fs::copy_options::overwrite_existing, error);
    if (error) {
        return "cannot install the program: " + error.message();
    }
    fs::remove_all(InstallFolder() / "Vandir_Skins", error);
    fs::copy(skins, InstallFolder() / "Vandir_Skins", fs::copy_options::recursive, error);
    if (error) {
        return "cannot install the skins: " + error.message();
    }

    // A prefix whose fresh registry was not kept may hold an earlier run's
    // settings: start it again.
    if (!fs::exists(SnapshotFolder() / "user.reg")) {
        End();
        fs::remove_all(Prefix(), error);
        fs::remove(fs::path(Prefix().string() + ".lock"), error);
        // The display's DPI is part of the fresh registry every scenario starts from.
        const CommandResult created = Run({paths_.wineRun.string(), "--prefix", Prefix().string(),
                                           "--dpi", std::to_string(dpi_)});
        if (created.exitCode != 0) {
            return "cannot create the Wine prefix: " + created.err;
        }
        fs::create_directories(SnapshotFolder(), error);
        for (const char* file : kRegistryFiles) {
            fs::copy_file(Prefix() / file, SnapshotFolder() / file,
                          fs::copy_options::overwrite_existing, error);
            if (error) {
                return "cannot keep the fresh registry: " + error.message();
            }
        }
    }
    for (const auto& entry : fs::directory_iterator(Prefix() / "drive_c" / "users", error)) {
        if (entry.is_directory() && entry.path().filename() != "Public") {
            userFolder_ = entry.path();
        }
    }
    if (userFolder_.empty()) {
        return "the Wine prefix has no user folder";
    }
    return {};
}

fs::path WineDemo::AppDataFolder() const {
    return userFolder_ / "AppData" / "Roaming" / "Meridane";
}

fs::path WineDemo::ProfilePath() const {
    return AppDataFolder() / "Vandir II" / "Profiles" / "DefaultPf.profile";
}

void WineDemo::End() {
    if (fs::exists(Prefix())) {
        Run({kWineServer, "-k"}, WineEnvironment());
    }
}

void WineDemo::Restore() {
    End();
    std::error_code error;
    for (const char* file : kRegistryFiles) {
        fs::copy_file(SnapshotFolder() / file, Prefix() / file,
                      fs::copy_options::overwrite_existing, error);
    }
    fs::remove_all(AppDataFolder(), error);
    fs::remove(StatePath(), error);
    Run({paths_.vandirctl.string(), "device", "plug", "--simulate", StatePath().string()});
}

Background WineDemo::Start(const std::vector<std::string>& extraArguments) {
    std::vector<std::string> argv = {
        paths_.wineRun.string(), "--prefix",   Prefix().string(),
        ProgramPath().string(),  "--simulate", WindowsPath(StatePath())};
    argv.insert(argv.end(), extraArguments.begin(), extraArguments.end());
    return Background(argv, WineEnvironment(), paths_.work / "demo.log");
}

bool WineDemo::SetRegistryString(const std::string& key, const std::string& name,
                                 const std::string& data) {
    return Run({kWine, "reg", "add", "HKCU\\" + key, "/v", name, "/t", "REG_SZ", "/d", data, "/f"},
               WineEnvironment())
               .exitCode == 0;
}

std::optional<std::string> WineDemo::FreshUserValue(const std::string& key,
                                                    const std::string& name) const {
    return ReadRegistryValue(SnapshotFolder() / "user.reg", key, name);
}

}  // namespace vandir::e2e
