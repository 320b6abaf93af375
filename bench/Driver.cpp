// The benchmark driver: runs the minimal program and the probe (both beside
// it) alternately, a warm-up pair first, then the measured pairs, and prints
// one table of minimum, median and maximum per row. Each pair runs side by
// side in one run, so the probe's lead over the minimal program is taken per
// pair. A child reports its time stamps on the performance counter, which the
// driver shares; "start" is the driver's stamp just before it creates the
// process.
//
//   bench_driver.exe [--runs N] [--warmup N]     (N >= 10 runs, 1 warm-up by default)

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "Measure.h"
#include "Statistics.h"
#include "platform/win32/ModulePath.h"

namespace {

using namespace vandir::bench;

// What one child reported, by name, plus "start".
using Report = std::map<std::string, int64_t>;

struct Handle {
    HANDLE value = nullptr;
    ~Handle() {
        if (value != nullptr && value != INVALID_HANDLE_VALUE) {
            ::CloseHandle(value);
        }
    }
};

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

// Runs the program, collects its result line; nothing when it fails, hangs
// for a minute or reports less than the names it must.
std::optional<Report> Run(const std::wstring& program, const std::vector<std::string>& names,
                          const std::wstring& arguments = {}) {
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    Handle readEnd, writeEnd;
    if (!::CreatePipe(&readEnd.value, &writeEnd.value, &inheritable, 0) ||
        !::SetHandleInformation(readEnd.value, HANDLE_FLAG_INHERIT, 0)) {
        return std::nullopt;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.value;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    std::wstring commandLine =
        L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" ") + arguments;
    PROCESS_INFORMATION process{};
    const int64_t start = Now();
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          nullptr, &startup, &process)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.c_str(), ::GetLastError());
        return std::nullopt;
    }
    Handle processHandle{process.hProcess}, threadHandle{process.hThread};
    ::CloseHandle(writeEnd.value);
    writeEnd.value = nullptr;

    std::string output;
    char buffer[512];
    DWORD read = 0;
    while (::ReadFile(readEnd.value, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        output.append(buffer, read);
    }
    DWORD exitCode = 1;
    if (::WaitForSingleObject(processHandle.value, 60000) != WAIT_OBJECT_0) {
        ::TerminateProcess(processHandle.value, 1);
    } else {
        ::GetExitCodeProcess(processHandle.value, &exitCode);
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

// One run of each program side by side, and the sheets loaded alone.
struct Pair {
    Report minimal;
    Report probe;
    Report sheets;
};

struct Row {
    const char* label;
    const char* unit;
    std::function<double(const Pair&)> value;
};

int ParseCount(const wchar_t* text, int fallback) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 10);
    return end != text && *end == L'\0' && value >= 0 && value < 10000 ? static_cast<int>(value)
                                                                       : fallback;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 10;
    int warmup = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::wcscmp(argv[i], L"--runs") == 0) {
            runs = ParseCount(argv[i + 1], runs);
        } else if (std::wcscmp(argv[i], L"--warmup") == 0) {
            warmup = ParseCount(argv[i + 1], warmup);
        }
    }
    if (runs < 10) {
        std::fwprintf(stderr, L"at least 10 runs\n");
        return 2;
    }

    const std::wstring folder = vandir::GetModuleFolder();
    const std::wstring minimal = folder + L"\\bench_minimal.exe";
    const std::wstring probe = folder + L"\\bench_probe.exe";

    std::vector<Pair> pairs;
    for (int i = 0; i < warmup + runs; ++i) {
        std::optional<Report> m = Run(minimal, {"entered", "painted", "private_painted"});
        std::optional<Report> p =
            Run(probe, {"entered", "gdiplus_started", "windows_built", "painted", "pages_visited",
                        "private_painted", "private_visited", "sheet_pixels", "failures"});
        std::optional<Report> s =
            Run(probe, {"sheets_started", "sheets_loaded", "failures"}, L"--sheets");
        if (!m || !p || !s) {
            return 1;
        }
        if (p->at("failures") != 0 || s->at("failures") != 0) {
            std::fwprintf(stderr,
                          L"the probe took the skin failure path: is Vandir_Skins "
                          L"complete?\n");
            return 1;
        }
        if (i >= warmup) {
            pairs.push_back({*m, *p, *s});
        }
    }

    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    const double ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;
    const auto ms = [ticksPerMs](const Report& r, const char* from, const char* to) {
        return static_cast<double>(r.at(to) - r.at(from)) / ticksPerMs;
    };
    const auto mib = [](const Report& r, const char* name) {
        return static_cast<double>(r.at(name)) / (1024.0 * 1024.0);
    };
    const std::vector<Row> rows = {
        {"minimal program: start to first full paint", "ms",
         [&](const Pair& p) { return ms(p.minimal, "start", "painted"); }},
        {"probe: start to first full paint", "ms",
         [&](const Pair& p) { return ms(p.probe, "start", "painted"); }},
        {"probe behind the minimal program (same pair)", "ms",
         [&](const Pair& p) {
             return ms(p.probe, "start", "painted") - ms(p.minimal, "start", "painted");
         }},
        {"probe / minimal program (same pair)", "x",
         [&](const Pair& p) {
             return ms(p.probe, "start", "painted") / ms(p.minimal, "start", "painted");
         }},
        {"minimal program: private memory at first paint", "MiB",
         [&](const Pair& p) { return mib(p.minimal, "private_painted"); }},
        {"probe: private memory at first paint", "MiB",
         [&](const Pair& p) { return mib(p.probe, "private_painted"); }},
        {"probe: private memory, every page visited", "MiB",
         [&](const Pair& p) { return mib(p.probe, "private_visited"); }},
        {"probe: the skin store's pixels", "MiB",
         [&](const Pair& p) { return mib(p.probe, "sheet_pixels"); }},
        {"minimal program: start to its entry point", "ms",
         [&](const Pair& p) { return ms(p.minimal, "start", "entered"); }},
        {"probe: start to its entry point", "ms",
         [&](const Pair& p) { return ms(p.probe, "start", "entered"); }},
        {"probe: GDI+ and common controls started", "ms",
         [&](const Pair& p) { return ms(p.probe, "entered", "gdiplus_started"); }},
        {"sheet load alone, all 31 sheets (a separate run)", "ms",
         [&](const Pair& p) { return ms(p.sheets, "sheets_started", "sheets_loaded"); }},
        {"probe: main window and key-assignment page built", "ms",
         [&](const Pair& p) { return ms(p.probe, "gdiplus_started", "windows_built"); }},
        {"probe: shown to fully painted", "ms",
         [&](const Pair& p) { return ms(p.probe, "windows_built", "painted"); }},
        {"probe: five other pages built, shown, painted", "ms",
         [&](const Pair& p) { return ms(p.probe, "painted", "pages_visited"); }},
    };

    std::printf("%d alternating runs after %d warm-up run(s)\n\n", runs, warmup);
    std::printf("| %-56s | %9s | %9s | %9s |\n", "", "min", "median", "max");
    std::printf("|%s|%s|%s|%s|\n", std::string(58, '-').c_str(), std::string(11, '-').c_str(),
                std::string(11, '-').c_str(), std::string(11, '-').c_str());
    std::map<std::string, Summary> summaries;
    for (const Row& row : rows) {
        std::vector<double> samples;
        for (const Pair& pair : pairs) {
            samples.push_back(row.value(pair));
        }
        const Summary s = Summarise(samples);
        summaries[row.label] = s;
        const std::string label = std::string(row.label) + " (" + row.unit + ")";
        std::printf("| %-56s | %9.2f | %9.2f | %9.2f |\n", label.c_str(), s.minimum, s.median,
                    s.maximum);
    }

    const double behind = summaries["probe behind the minimal program (same pair)"].median;
    const double memory = summaries["probe: private memory, every page visited"].median;
    std::printf(
        "\ntarget: probe fully painted within 150 ms of the minimal program: %s "
        "(median %.1f ms)\n",
        behind <= 150.0 ? "met" : "NOT met", behind);
    std::printf(
        "target: private memory under 30 MiB with every page visited: %s "
        "(median %.1f MiB; aim 20 MiB)\n",
        memory < 30.0 ? "met" : "NOT met", memory);
    return 0;
}
