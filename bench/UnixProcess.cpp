#include "UnixProcess.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "platform/win32/UniqueHandle.h"

namespace vandir::bench {

namespace {

const std::wstring kProc = L"Z:\\proc\\";

std::optional<std::string> ReadWhole(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Names of the entries of a folder that are all digits (process or thread IDs).
std::vector<std::wstring> NumberedEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(::FindFirstFileW((folder + L"*").c_str(), &found));
    if (!search) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if (!name.empty() && name.find_first_not_of(L"0123456789") == std::wstring::npos) {
            names.push_back(name);
        }
    } while (::FindNextFileW(search.Get(), &found));
    return names;
}

// Fields 14 and 15 of a thread's stat line (after the name in parentheses,
// which may hold spaces): user and system time in clock ticks.
std::optional<int64_t> StatTicks(const std::string& stat) {
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return std::nullopt;
    }
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    int64_t ticks = 0;
    // The first field after the name is field 3.
    for (int index = 3; index <= 15 && fields >> field; ++index) {
        if (index >= 14) {
            ticks += std::stoll(field);
        }
    }
    return ticks;
}

int64_t ContextSwitches(const std::string& status) {
    int64_t total = 0;
    std::istringstream lines(status);
    std::string line;
    while (std::getline(lines, line)) {
        for (const char* name : {"voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:"}) {
            if (line.rfind(name, 0) == 0) {
                total += std::stoll(line.substr(std::string(name).size()));
            }
        }
    }
    return total;
}

}  // namespace

std::optional<int> FindUnixProcess(const std::string& marker) {
    for (const std::wstring& pid : NumberedEntries(kProc)) {
        const std::optional<std::string> commandLine = ReadWhole(kProc + pid + L"\\cmdline");
        if (commandLine && commandLine->find(marker) != std::string::npos) {
            return std::stoi(pid);
        }
    }
    return std::nullopt;
}

std::optional<CpuUse> ReadCpuUse(int pid) {
    const std::wstring tasks = kProc + std::to_wstring(pid) + L"\\task\\";
    const std::vector<std::wstring> threads = NumberedEntries(tasks);
    if (threads.empty()) {
        return std::nullopt;
    }
    const double msPerTick = 1000.0 / 100.0;  // USER_HZ is 100 on Linux
    CpuUse use;
    for (const std::wstring& thread : threads) {
        const std::optional<std::string> stat = ReadWhole(tasks + thread + L"\\stat");
        const std::optional<std::string> status = ReadWhole(tasks + thread + L"\\status");
        if (!stat || !status) {
            continue;  // a thread that ended meanwhile
        }
        if (const std::optional<int64_t> ticks = StatTicks(*stat)) {
            use.cpuMs += static_cast<double>(*ticks) * msPerTick;
        }
        use.wakeups += ContextSwitches(*status);
    }
    return use;
}

}  // namespace vandir::bench
