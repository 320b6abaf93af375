#pragma once
// A fresh folder under the user's temporary folder, removed with everything in
// it when the test ends.

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

namespace vandir::test {

class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        wchar_t temp[MAX_PATH + 1] = {};
        const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
        std::wstring base(temp, length);
        if (!base.empty() && base.back() == L'\\') {
            base.pop_back();
        }
        path_ = base + L"\\vandir-win32-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(::GetTickCount64()) + L"-" + std::to_wstring(counter++);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing backslash.
    const std::wstring& Path() const { return path_; }
    // A path inside the folder: Path() + "\" + relative.
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
};

}  // namespace vandir::test
