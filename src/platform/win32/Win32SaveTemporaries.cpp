#include "platform/win32/Win32SaveTemporaries.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

#include "storage/SaveTemporaryName.h"

namespace vandir {
namespace {

// A name taken by another file, nearly always by a dead process of the same
// id: the next unique is tried, this many times.
constexpr int kCreateAttempts = 100;

// FILETIME counts 100 ns units.
constexpr uint64_t kFileTimeUnitsPerSecond = 10'000'000;

uint64_t FileTimeValue(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// False only when certainly no process runs under writer: no process has the
// id, or the one that has it has ended (someone still holds its handle). A
// process this user may not look at (access denied) runs.
bool WriterMayRun(uint32_t writer) {
    const UniqueKernelHandle process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, writer));
    if (!process) {
        return ::GetLastError() != ERROR_INVALID_PARAMETER;
    }
    return ::WaitForSingleObject(process.Get(), 0) != WAIT_OBJECT_0;
}

}  // namespace

UniqueFileHandle CreateSaveTemporary(const std::wstring& target, std::wstring& path) {
    const size_t slash = target.find_last_of(L"\\/");
    const size_t nameStart = slash == std::wstring::npos ? 0 : slash + 1;
    const std::wstring_view file = std::wstring_view(target).substr(nameStart);
    const auto self = static_cast<uint32_t>(::GetCurrentProcessId());
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        path =
            target.substr(0, nameStart) + SaveTemporaryName(file, self, NextSaveTemporaryUnique());
        UniqueFileHandle created(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (created) {
            return created;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS &&
            error != ERROR_ACCESS_DENIED) {
            break;  // taken or being deleted: another name; anything else: no file here
        }
    }
    path.clear();  // leaves the last error as it is
    return UniqueFileHandle();
}

void RemoveAbandonedSaveTemporaries(const std::wstring& target) {
    const size_t slash = target.find_last_of(L"\\/");
    const size_t nameStart = slash == std::wstring::npos ? 0 : slash + 1;
    const std::wstring folder = target.substr(0, nameStart);
    const std::wstring file = target.substr(nameStart);
    WIN32_FIND_DATAW found{};
    // Every name that starts with the file's; the names are checked one by one.
    const UniqueFindHandle search(::FindFirstFileW((target + L"*").c_str(), &found));
    if (!search) {
        return;
    }
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const uint64_t oldest = FileTimeValue(now) -
                            static_cast<uint64_t>(std::chrono::seconds(kAbandonedSaveAge).count()) *
                                kFileTimeUnitsPerSecond;
    constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    do {
        const std::optional<uint32_t> writer =
            SaveTemporaryWriter(std::wstring_view(found.cFileName), std::wstring_view(file));
        if (writer && (found.dwFileAttributes & kNotAFile) == 0 &&
            (FileTimeValue(found.ftLastWriteTime) <= oldest || !WriterMayRun(*writer))) {
            ::DeleteFileW((folder + found.cFileName).c_str());
        }
    } while (::FindNextFileW(search.Get(), &found));
}

}  // namespace vandir
