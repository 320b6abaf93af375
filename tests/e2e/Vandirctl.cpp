#include "e2e/Vandirctl.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vandir::e2e {

namespace {

// The image as `image` and `device read` print it: rows of hexadecimal
// pairs, then a "checksum" line.
std::optional<Bytes> ParseImage(const std::string& text) {
    std::istringstream in(text);
    Bytes bytes;
    std::string word;
    while (in >> word && word != "checksum") {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(word, nullptr, 16)));
    }
    if (bytes.size() != 128) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

CommandResult Vandirctl::Call(const std::vector<std::string>& arguments) const {
    std::vector<std::string> argv = {tool_.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return Run(argv);
}

bool Vandirctl::MakeProfile(const std::filesystem::path& file,
                            const std::vector<std::string>& assignments) const {
    std::filesystem::remove(file);
    if (Call({"profile", "new", file.string()}).exitCode != 0) {
        return false;
    }
    if (assignments.empty()) {
        return true;
    }
    std::vector<std::string> arguments = {"profile", "set", file.string()};
    arguments.insert(arguments.end(), assignments.begin(), assignments.end());
    return Call(arguments).exitCode == 0;
}

std::optional<Bytes> Vandirctl::ImageOf(const std::filesystem::path& profile) const {
    const CommandResult result = Call({"image", profile.string()});
    return result.exitCode == 0 ? ParseImage(result.out) : std::nullopt;
}

std::optional<Bytes> Vandirctl::MouseMemory(const std::filesystem::path& state) const {
    const CommandResult result = Call({"device", "read", "--simulate", state.string()});
    return result.exitCode == 0 ? ParseImage(result.out) : std::nullopt;
}

bool Vandirctl::Plug(const std::filesystem::path& state) const {
    return Call({"device", "plug", "--simulate", state.string()}).exitCode == 0;
}

bool Vandirctl::Unplug(const std::filesystem::path& state) const {
    return Call({"device", "unplug", "--simulate", state.string()}).exitCode == 0;
}

bool Vandirctl::Simulate(const std::filesystem::path& state,
                         std::vector<std::string> command) const {
    command.insert(command.begin(), "device");
    command.push_back("--simulate");
    command.push_back(state.string());
    return Call(command).exitCode == 0;
}

std::optional<Bytes> ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Hex(const Bytes& bytes) {
    std::string text;
    char pair[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        text += pair;
        text += (i % 16 == 15) ? '\n' : ' ';
    }
    return text;
}

}  // namespace vandir::e2e
