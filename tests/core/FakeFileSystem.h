#pragma once
// An in-memory file system that records what the profile code asks of it.

#include <map>
#include <string>
#include <vector>

#include "storage/FileSystem.h"

namespace vandir::testing {

class FakeFileSystem : public FileSystem {
public:
    std::map<std::u16string, std::vector<uint8_t>> files;
    std::vector<std::u16string> ensuredFolders;
    bool failWrites = false;

    bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) override {
        const auto it = files.find(path);
        contents = it == files.end() ? std::vector<uint8_t>{} : it->second;
        return it != files.end();
    }

    void EnsureFoldersOf(const std::u16string& filePath) override {
        ensuredFolders.push_back(filePath);
    }

    bool ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes,
                          std::u16string* reason = nullptr) override {
        if (failWrites) {
            if (reason != nullptr) {
                *reason = u"Access is denied.";
            }
            return false;
        }
        files[path].assign(bytes.begin(), bytes.end());
        return true;
    }
};

}  // namespace vandir::testing
