#include "platform/win32/ReportException.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <string_view>

namespace vandir {
namespace {

void WriteToDebugger(const std::wstring& report) {
    ::OutputDebugStringW((report + L"\n").c_str());
}

std::atomic<ExceptionReporter> reporter{&WriteToDebugger};

// what() texts are UTF-8 or plain ASCII; anything else comes out as the
// system's code page would read it.
std::wstring Widen(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const auto size = static_cast<int>(text.size());
    for (const UINT codePage : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
        const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        const int length = ::MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
        if (length > 0) {
            std::wstring wide(static_cast<size_t>(length), L'\0');
            ::MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
            return wide;
        }
    }
    return L"(unreadable message)";
}

std::wstring DescribeCurrentException() {
    if (!std::current_exception()) {
        return L"no exception";  // called outside a catch block
    }
    try {
        throw;
    } catch (const std::exception& error) {
        return Widen(error.what());
    } catch (...) {
        return L"unknown exception";
    }
}

}  // namespace

void ReportCaughtException(const wchar_t* place) noexcept {
    try {
        const std::wstring report = std::wstring(L"Vandir II: exception caught in ") +
                                    (place != nullptr ? place : L"?") + L": " +
                                    DescribeCurrentException();
        reporter.load()(report);
    } catch (...) {
        // Out of memory while describing it: nothing more can be done here.
    }
}

ExceptionReporter SetExceptionReporter(ExceptionReporter newReporter) noexcept {
    return reporter.exchange(newReporter != nullptr ? newReporter : &WriteToDebugger);
}

}  // namespace vandir
