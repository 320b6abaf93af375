#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace vandir {
namespace {

// True when a file or folder of that name exists (as a file-find sees it).
bool PathExists(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(::FindFirstFileW(path.c_str(), &found));
    return search.Valid();
}

// Largest single ReadFile/WriteFile request: a DWORD count, kept well below its limit.
constexpr std::size_t kMaxTransfer = 1u << 30;

bool WriteAll(HANDLE file, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kMaxTransfer));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

bool WriteFlushAndClose(const std::wstring& path, std::span<const uint8_t> bytes) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    if (!WriteAll(file.Get(), bytes) || !::FlushFileBuffers(file.Get())) {
        return false;
    }
    return ::CloseHandle(file.Release()) != FALSE;
}

}  // namespace

bool Win32FileSystem::ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) {
    contents.clear();
    // Others may read the file meanwhile, but nobody may write it.
    const UniqueFileHandle file(::CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kMaxReadSize) {
        return false;
    }
    std::vector<uint8_t> buffer(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < buffer.size()) {
        DWORD read = 0;
        const auto chunk = static_cast<DWORD>(std::min(buffer.size() - done, kMaxTransfer));
        if (!::ReadFile(file.Get(), buffer.data() + done, chunk, &read, nullptr) || read == 0) {
            return false;  // a read error, or the file ended before its stated size
        }
        done += read;
    }
    contents = std::move(buffer);
    return true;
}

void Win32FileSystem::EnsureFoldersOf(const std::u16string& filePath) {
    const std::wstring path = ToWide(filePath);
    if (PathExists(path)) {
        return;
    }
    for (auto slash = path.find(L'\\'); slash != std::wstring::npos;
         slash = path.find(L'\\', slash + 1)) {
        const std::wstring prefix = path.substr(0, slash);
        if (prefix.empty() || PathExists(prefix)) {
            continue;
        }
        // Fails harmlessly for a drive part ("C:") or a folder someone just made;
        // the write that follows reports any real problem.
        ::CreateDirectoryW(prefix.c_str(), nullptr);
    }
}

bool Win32FileSystem::ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes) {
    const std::wstring target = ToWide(path);
    const std::wstring temporary = target + L".tmp";
    if (WriteFlushAndClose(temporary, bytes) &&
        ::MoveFileExW(temporary.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    ::DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace vandir
