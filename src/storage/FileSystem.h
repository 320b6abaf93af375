#pragma once
// The few file operations the profile and the simulated mouse's state file
// need, one implementation per platform. Paths are UTF-16 text as the program
// holds them; each platform converts.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace vandir {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads the whole file into contents, sharing it with readers only.
    // False, with contents empty, when it cannot be opened or read.
    virtual bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) = 0;

    // Creates every missing folder above the file at path, from the outermost
    // level inwards. Failures (a drive part, a folder that exists) are ignored;
    // a later write reports them.
    virtual void EnsureFoldersOf(const std::u16string& filePath) = 0;

    // Writes bytes to a temporary file beside path (named by SaveTemporaryName),
    // flushes it to the disk and replaces path with it in one step; after a
    // success, the temporaries of saves of path that are over (their process
    // has ended, or they are kAbandonedSaveAge old) are removed, never those of
    // saves still running nor any other file. On failure path keeps its old
    // contents (or stays absent), the temporary file is removed, false is
    // returned and reason, when given, gets the system's words for what went
    // wrong.
    virtual bool ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes,
                                  std::u16string* reason = nullptr) = 0;

    // Whether anything (a file, a folder) is at path; a path that cannot be
    // looked at for another reason than its absence counts as existing.
    virtual bool Exists(const std::u16string& path) = 0;

    // A lock between processes (and between threads: each lock is its own
    // holder), taken on the file at path, which is made when missing and
    // never removed. The system ends it with its holder: when the HeldLock
    // goes, or the process ends, killed or not. Never waits: Busy while
    // another holder has it, Failed when the file cannot be made or opened.
    class HeldLock {
    public:
        virtual ~HeldLock() = default;
    };
    enum class LockTry { Held, Busy, Failed };
    struct LockAttempt {
        LockTry outcome = LockTry::Failed;
        std::unique_ptr<HeldLock> lock;  // set when Held
    };
    virtual LockAttempt TryLockFile(const std::u16string& path) = 0;

    // Removes the file at path; true when no file is there afterwards (also
    // when none was), false when it stays.
    virtual bool RemoveFile(const std::u16string& path) = 0;
};

}  // namespace vandir
