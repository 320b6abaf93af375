#include "e2e/RegistryFile.h"

#include <fstream>

namespace vandir::e2e {

namespace {

// The file escapes backslashes and double quotes inside names and strings.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

std::string Unescaped(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
        }
        out += text[i];
    }
    return out;
}

}  // namespace

std::optional<std::string> ReadRegistryValue(const std::filesystem::path& file,
                                             const std::string& key, const std::string& name) {
    std::ifstream in(file);
    const std::string section = "[" + Escaped(key) + "]";
    const std::string valueStart = "\"" + Escaped(name) + "\"=";
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (line.starts_with("[")) {
            // "[Key] 1796933501": the time stamp follows the closing bracket.
            inSection = line.starts_with(section + " ") || line == section;
            continue;
        }
        if (!inSection || !line.starts_with(valueStart)) {
            continue;
        }
        const std::string value = line.substr(valueStart.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            return Unescaped(value.substr(1, value.size() - 2));
        }
        return value;
    }
    return std::nullopt;
}

}  // namespace vandir::e2e
