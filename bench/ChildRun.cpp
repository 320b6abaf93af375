#include "ChildRun.h"

#include <windows.h>

#include <cstdio>
#include <sstream>

#include "Measure.h"
#include "platform/win32/UniqueHandle.h"

namespace vandir::bench {

namespace {

std::optional<Report> Parse(const std::string& line) {
    Report report;
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
        const size_t equals = word.find('=');
        if (equals == std::string::npos) {
            return std::nullopt;
        }
        try {
            report[word.substr(0, equals)] = std::stoll(word.substr(equals + 1));
        } catch (...) {
            return std::nullopt;
        }
    }
    return report;
}

}  // namespace

std::optional<Report> RunReporting(const std::wstring& program,
                                   const std::vector<std::string>& names,
                                   const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    HANDLE readHandle = nullptr;
    HANDLE writeHandle = nullptr;
    if (!::CreatePipe(&readHandle, &writeHandle, &inheritable, 0)) {
        return std::nullopt;
    }
    UniqueKernelHandle readEnd(readHandle);
    UniqueKernelHandle writeEnd(writeHandle);
    if (!::SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0)) {
        return std::nullopt;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.Get();
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    std::wstring commandLine =
        L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" ") + arguments;
    PROCESS_INFORMATION created{};
    const int64_t start = Now();
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          nullptr, &startup, &created)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.c_str(), ::GetLastError());
        return std::nullopt;
    }
    const UniqueKernelHandle process(created.hProcess);
    const UniqueKernelHandle thread(created.hThread);
    writeEnd.Reset();  // the child holds the only write end: reading ends when it does

    std::string output;
    char buffer[512];
    DWORD read = 0;
    while (::ReadFile(readEnd.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        output.append(buffer, read);
    }
    DWORD exitCode = 1;
    if (::WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.Get(), 1);
    } else {
        ::GetExitCodeProcess(process.Get(), &exitCode);
    }
    std::optional<Report> report = Parse(output);
    for (const std::string& name : names) {
        if (report && !report->contains(name)) {
            report.reset();
        }
    }
    if (exitCode != 0 || !report) {
        std::fwprintf(stderr, L"%ls failed (exit code %lu): %hs\n", program.c_str(), exitCode,
                      output.c_str());
        return std::nullopt;
    }
    (*report)["start"] = start;
    return report;
}

}  // namespace vandir::bench
