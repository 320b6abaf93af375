#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <string_view>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

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

// Creates a file of a name nobody has used beside target (target + "." +
// unique + ".tmp"), writes the bytes, flushes and closes it. Its name, or empty
// when it could not be written (nothing is then left behind).
std::wstring WriteFreshTemporary(const std::wstring& target, std::span<const uint8_t> bytes) {
    static std::atomic<unsigned> counter{0};
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        LARGE_INTEGER ticks{};
        ::QueryPerformanceCounter(&ticks);
        const std::wstring name = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(counter++) + L"-" +
                                  std::to_wstring(ticks.LowPart & 0xFFFFF) + L".tmp";
        UniqueFileHandle file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                error == ERROR_ACCESS_DENIED) {
                continue;  // taken (or being deleted): another name
            }
            return {};
        }
        const bool written = WriteAll(file.Get(), bytes) && ::FlushFileBuffers(file.Get());
        if (::CloseHandle(file.Release()) && written) {
            return name;
        }
        ::DeleteFileW(name.c_str());
        return {};
    }
    return {};
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

// True for the name WriteFreshTemporary gives a temporary of file: file + "."
// + digits and dashes + ".tmp".
bool IsTemporaryName(const std::wstring& name, const std::wstring& file) {
    constexpr std::wstring_view kSuffix = L".tmp";
    if (name.size() <= file.size() + 1 + kSuffix.size() ||
        name.compare(0, file.size(), file) != 0 || name[file.size()] != L'.' ||
        name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0) {
        return false;
    }
    const std::wstring middle =
        name.substr(file.size() + 1, name.size() - file.size() - 1 - kSuffix.size());
    return middle.find_first_not_of(L"0123456789-") == std::wstring::npos;
}

// Removes the temporaries of target that saves killed half-way left beside it.
void RemoveStaleTemporaries(const std::wstring& target) {
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
    const std::wstring file = target.substr(folder.size());
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((target + L".*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            IsTemporaryName(found.cFileName, file)) {
            ::DeleteFileW((folder + found.cFileName).c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
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
    if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        return fail(error);
    }
    RemoveStaleTemporaries(target);
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
