#pragma once
// An in-memory file system that records what the code under test asks of it.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "storage/FileSystem.h"

namespace vandir::testing {

class FakeFileSystem : public FileSystem {
public:
    std::map<std::u16string, std::vector<uint8_t>> files;
    std::set<std::u16string> folders;
    std::vector<std::u16string> ensuredFolders;
    bool failWrites = false;
    // The next that many replacements fail, as on Windows while a reader has
    // the file open.
    int busyReplacements = 0;
    // Folders cannot be made, as when the folder above is missing.
    bool failFolders = false;

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
        if (failWrites || busyReplacements > 0) {
            busyReplacements = busyReplacements > 0 ? busyReplacements - 1 : 0;
            if (reason != nullptr) {
                *reason = u"Access is denied.";
            }
            return false;
        }
        files[path].assign(bytes.begin(), bytes.end());
        return true;
    }

    bool Exists(const std::u16string& path) override {
        return files.count(path) != 0 || folders.count(path) != 0;
    }

    FolderMade MakeFolder(const std::u16string& path) override {
        if (Exists(path)) {
            return FolderMade::Exists;
        }
        if (failFolders) {
            return FolderMade::Failed;
        }
        folders.insert(path);
        return FolderMade::Made;
    }

    bool RemoveFolder(const std::u16string& path) override { return folders.erase(path) != 0; }

    bool RemoveFile(const std::u16string& path) override {
        if (failWrites) {
            return files.count(path) == 0;
        }
        files.erase(path);
        return true;
    }
};

}  // namespace vandir::testing
