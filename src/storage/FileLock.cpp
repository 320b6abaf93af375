#include "storage/FileLock.h"

namespace vandir {

FileLock::FileLock(FileSystem& files, const std::u16string& path, Clock& clock)
    : files_(files), folder_(path + u".lock") {
    uint32_t waited = 0;
    bool tookOver = false;
    for (;;) {
        switch (files_.MakeFolder(folder_)) {
            case FileSystem::FolderMade::Made:
                held_ = true;
                return;
            case FileSystem::FolderMade::Failed:
                return;
            case FileSystem::FolderMade::Exists:
                break;
        }
        if (waited >= kStaleLockMilliseconds) {
            if (tookOver) {
                return;
            }
            files_.RemoveFolder(folder_);
            tookOver = true;
            waited = 0;
            continue;
        }
        clock.Sleep(kLockWaitMilliseconds);
        waited += kLockWaitMilliseconds;
    }
}

FileLock::~FileLock() {
    if (held_) {
        files_.RemoveFolder(folder_);
    }
}

}  // namespace vandir
