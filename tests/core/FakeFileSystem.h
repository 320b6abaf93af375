#pragma once
// An in-memory file system that records what the code under test asks of it.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "storage/FileSystem.h"

namespace vandir::testing {

// A lock of FakeFileSystem's, released when it goes.
class Held : public FileSystem::HeldLock {
public:
    Held(std::set<std::u16string>& held, std::u16string path)
        : held_(held), path_(std::move(path)) {}
    ~Held() override { held_.erase(path_); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

private:
    std::set<std::u16string>& held_;
    std::u16string path_;
};

class FakeFileSystem : public FileSystem {
public:
    std::map<std::u16string, std::vector<uint8_t>> files;
    // Things that exist but cannot be read as files (folders).
    std::set<std::u16string> folders;
    // Lock files held now, by the code under test or by "another process".
    std::set<std::u16string> heldLocks;
    std::vector<std::u16string> ensuredFolders;
    bool failWrites = false;
    // The next that many replacements fail, as on Windows while a reader has
    // the file open.
    int busyReplacements = 0;
    // Lock files cannot be made, as when the folder above is missing.
    bool failLocks = false;

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

    LockAttempt TryLockFile(const std::u16string& path) override {
        LockAttempt attempt;
        if (failLocks) {
            return attempt;
        }
        if (!heldLocks.insert(path).second) {
            attempt.outcome = LockTry::Busy;
            return attempt;
        }
        attempt.outcome = LockTry::Held;
        attempt.lock = std::make_unique<Held>(heldLocks, path);
        return attempt;
    }

    bool RemoveFile(const std::u16string& path) override {
        if (failWrites) {
            return files.count(path) == 0;
        }
        files.erase(path);
        return true;
    }
};

}  // namespace vandir::testing
