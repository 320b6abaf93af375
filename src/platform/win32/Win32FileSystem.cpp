#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32SaveTemporaries.h"

namespace vandir {
namespace {

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

// Writes the bytes to a temporary file of a fresh name beside target, flushes
// and closes it. Its path, or empty when it could not be written (nothing is
// then left behind).
std::wstring WriteFreshTemporary(const std::wstring& target, std::span<const uint8_t> bytes) {
    std::wstring path;
    UniqueFileHandle file = CreateSaveTemporary(target, path);
    if (!file) {
        return {};
    }
    const bool written = WriteAll(file.Get(), bytes) && ::FlushFileBuffers(file.Get());
    if (::CloseHandle(file.Release()) && written) {
        return path;
    }
    ::DeleteFileW(path.c_str());
    return {};
}

// Moves temporary over target. A move that meets another process's move over
// the same file, or its reading of it, is refused for a moment (access denied,
// a sharing or lock violation): tried again at once, a bounded number of times.
bool MoveOver(const std::wstring& temporary, const std::wstring& target) {
    constexpr int kAttempts = 50;
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(temporary.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = ::GetLastError();
        if (attempt == kAttempts ||
            (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION &&
             error != ERROR_LOCK_VIOLATION)) {
            ::SetLastError(error);
            return false;
        }
        ::SwitchToThread();
    }
}

// The system's words for an error code, without the line break it ends with.
std::wstring DescribeSystemError(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words = length > 0 && text != nullptr ? std::wstring(text, length) : L"";
    if (text != nullptr) {
        ::LocalFree(text);
    }
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' ||
                              words.back() == L' ' || words.back() == L'.')) {
        words.pop_back();
    }
    return words.empty() ? L"error " + std::to_wstring(error) : words;
}

}  // namespace

bool Win32FileSystem::PathExists(const std::wstring& path) {
    // Not a file-find, which would read * and ? as wildcards.
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

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

bool Win32FileSystem::ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes,
                                       std::u16string* reason) {
    const std::wstring target = ToWide(path);
    const auto fail = [&](DWORD error) {
        if (reason != nullptr) {
            *reason = FromWide(DescribeSystemError(error));
        }
        return false;
    };
    const std::wstring temporary = WriteFreshTemporary(target, bytes);
    if (temporary.empty()) {
        return fail(::GetLastError());
    }
    if (!MoveOver(temporary, target)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        return fail(error);
    }
    RemoveAbandonedSaveTemporaries(target);
    return true;
}

bool Win32FileSystem::Exists(const std::u16string& path) {
    if (::GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    const DWORD error = ::GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

bool Win32FileSystem::RemoveFile(const std::u16string& path) {
    if (::DeleteFileW(AsWide(path)) != FALSE) {
        return true;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace vandir
