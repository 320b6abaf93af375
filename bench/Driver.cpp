// The benchmark driver: runs, beside it, the minimal program, the program
// itself (VandirII-Demo.exe) and the probe, one after the other in each
// round, a warm-up round first, then the measured rounds, and prints one
// table of minimum, median and maximum per row. The leads over the minimal
// program are taken within each round, side by side. Start is the driver's
// time stamp just before it creates a process; the children's stamps are on
// the same performance counter.
//
// After the rounds, one session of the program: N Applies with the simulated
// mouse against the waits the mouse's protocol mandates, then its rest hidden
// in the notification area against the minimal program's rest.
//
//   bench_driver.exe [--runs N] [--warmup N] [--applies N] [--rest-seconds N]
//                    [--start-only]
//   (N >= 10 runs, 1 warm-up, 10 Applies, 60 s of rest by default;
//   --start-only: the start and memory table alone, as for another display
//   scale)

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "ProgramRun.h"
#include "SessionRun.h"
#include "Statistics.h"
#include "platform/win32/ModulePath.h"
#include "platform/win32/framework/DisplayDpi.h"
#include "skin/layout/DisplayScale.h"

namespace {

using namespace vandir::bench;

// One round: each program once, and the sheets loaded alone.
struct Round {
    Report minimal;
    Report program;
    Report probe;
    Report sheets;
};

struct Row {
    std::string label;
    const char* unit;
    std::function<double(const Round&)> value;
};

int ParseCount(const wchar_t* text, int fallback) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 10);
    return end != text && *end == L'\0' && value >= 0 && value < 10000 ? static_cast<int>(value)
                                                                       : fallback;
}

// Time for Wine and the X server to finish tearing the last program down, so
// that no run starts while the one before still loads the machine.
constexpr DWORD kSettleMs = 300;

template <typename Run>
auto Settled(Run run) {
    ::Sleep(kSettleMs);
    return run();
}

std::optional<Round> RunRound(const std::wstring& folder) {
    const std::wstring probe = folder + L"\\bench_probe.exe";
    std::optional<Report> minimal = Settled([&] {
        return RunReporting(folder + L"\\bench_minimal.exe",
                            {"entered", "painted", "private_painted"});
    });
    std::optional<Report> program =
        Settled([&] { return RunProgram(folder + L"\\VandirII-Demo.exe"); });
    std::optional<Report> probed = Settled([&] {
        return RunReporting(
            probe, {"entered", "gdiplus_started", "windows_built", "painted", "pages_visited",
                    "private_painted", "private_visited", "sheet_pixels", "failures"});
    });
    std::optional<Report> sheets = Settled([&] {
        return RunReporting(probe, {"sheets_started", "sheets_loaded", "failures"}, L"--sheets");
    });
    if (!minimal || !program || !probed || !sheets) {
        return std::nullopt;
    }
    if (probed->at("failures") != 0 || sheets->at("failures") != 0) {
        std::fwprintf(stderr, L"the probe took the skin failure path: is Vandir_Skins complete?\n");
        return std::nullopt;
    }
    return Round{*minimal, *program, *probed, *sheets};
}

void PrintRow(const char* label, const Summary& s) {
    std::printf("| %-62s | %9.2f | %9.2f | %9.2f |\n", label, s.minimum, s.median, s.maximum);
}

void PrintHeader() {
    std::printf("| %-62s | %9s | %9s | %9s |\n", "", "min", "median", "max");
    std::printf("|%s|%s|%s|%s|\n", std::string(64, '-').c_str(), std::string(11, '-').c_str(),
                std::string(11, '-').c_str(), std::string(11, '-').c_str());
}

// answer: bench_answer's result line.
void PrintAnswers(const Report& answer) {
    const double longestMs = static_cast<double>(answer.at("longest_answer_us")) / 1000.0;
    std::printf(
        "\nThe main window while an Apply waits on a mouse busy for its polls, %d Applies "
        "in-process\n\n",
        static_cast<int>(answer.at("applies")));
    std::printf("| %-62s | %9s |\n", "", "ms");
    std::printf("|%s|%s|\n", std::string(64, '-').c_str(), std::string(11, '-').c_str());
    std::printf("| %-62s | %9.2f |\n", "Apply wall time (mean)",
                static_cast<double>(answer.at("apply_us")) / 1000.0);
    std::printf("| %-62s | %9.2f |\n", "longest time the window took to answer a message",
                longestMs);
    std::printf("\nThe window answers within 50 ms while the mouse is busy: %s\n",
                longestMs < 50.0 ? "met" : "NOT met");
}

// apply: bench_apply's result line; session: the program used from outside.
void PrintSession(const Report& apply, const SessionFigures& session, const RestFigures& minimal) {
    const double applies = static_cast<double>(apply.at("applies"));
    const auto perApplyMs = [&](const char* name) {
        return static_cast<double>(apply.at(name)) / 1000.0 / applies;
    };
    const double wall = perApplyMs("wall_us");
    const double waits = perApplyMs("waits_us");
    std::printf("\nThe Apply sequence over the simulated mouse, %d runs in-process (per Apply)\n\n",
                static_cast<int>(applies));
    std::printf("| %-62s | %9s |\n", "", "ms");
    std::printf("|%s|%s|\n", std::string(64, '-').c_str(), std::string(11, '-').c_str());
    const auto line = [](const char* label, double value) {
        std::printf("| %-62s | %9.2f |\n", label, value);
    };
    line("Apply wall time", wall);
    line("waits the protocol mandates (asked of the clock, same runs)", waits);
    line("Apply beyond the mandated waits", wall - waits);
    line("  double-click time and pointer speed to the system", perApplyMs("settings_us"));
    line("  start-at-login entry", perApplyMs("autostart_us"));
    line("  profile saved", perApplyMs("profile_us"));
    line("  configuration written to the mouse, its wait included", perApplyMs("device_us"));

    std::printf(
        "\nThe program from outside: %zu clicks on Apply, each to the configuration "
        "reaching the simulated mouse\n\n",
        session.applyMs.size());
    PrintHeader();
    PrintRow("click to the configuration sent (ms)", Summarise(session.applyMs));

    std::printf(
        "\nAt rest for %.1f s: VandirII-Demo hidden in the notification area, the minimal "
        "program hidden\n\n",
        session.hidden.seconds);
    std::printf("| %-62s | %11s | %11s |\n", "", "CPU (ms)", "wake-ups");
    std::printf("|%s|%s|%s|\n", std::string(64, '-').c_str(), std::string(13, '-').c_str(),
                std::string(13, '-').c_str());
    const auto row = [](const char* label, const CpuUse& use) {
        std::printf("| %-62s | %11.0f | %11lld |\n", label, use.cpuMs,
                    static_cast<long long>(use.wakeups));
    };
    row("VandirII-Demo, hidden", session.hidden.program);
    row("Wine server meanwhile", session.hidden.server);
    row("minimal program, hidden", minimal.program);
    row("Wine server meanwhile", minimal.server);

    std::printf("\nApply within 2 ms of the mandated waits: %s (%.2f ms beyond %.0f ms)\n",
                wall - waits <= 2.0 ? "met" : "NOT met", wall - waits, waits);
    const int64_t extraWakeups = session.hidden.program.wakeups - minimal.program.wakeups;
    std::printf("No wake-ups while hidden beyond the minimal program's: %s (%lld more)\n",
                extraWakeups <= 0 ? "met" : "NOT met", static_cast<long long>(extraWakeups));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 10;
    int warmup = 1;
    int applies = 10;
    int restSeconds = 60;
    bool startOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--start-only") == 0) {
            startOnly = true;
            continue;
        }
        if (i + 1 == argc) {
            break;
        }
        if (std::wcscmp(argv[i], L"--runs") == 0) {
            runs = ParseCount(argv[i + 1], runs);
        } else if (std::wcscmp(argv[i], L"--warmup") == 0) {
            warmup = ParseCount(argv[i + 1], warmup);
        } else if (std::wcscmp(argv[i], L"--applies") == 0) {
            applies = std::max(1, ParseCount(argv[i + 1], applies));
        } else if (std::wcscmp(argv[i], L"--rest-seconds") == 0) {
            restSeconds = std::max(1, ParseCount(argv[i + 1], restSeconds));
        } else {
            continue;
        }
        ++i;  // the option's value
    }
    if (runs < 10) {
        std::fwprintf(stderr, L"at least 10 runs\n");
        return 2;
    }

    const std::wstring folder = vandir::GetModuleFolder();
    std::vector<Round> rounds;
    for (int i = 0; i < warmup + runs; ++i) {
        std::optional<Round> round = RunRound(folder);
        if (!round) {
            return 1;
        }
        if (i >= warmup) {
            rounds.push_back(*round);
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
    const auto firstPaint = [&](const Report& r) { return ms(r, "start", "painted"); };
    const std::vector<Row> rows = {
        {"minimal program: start to first full paint", "ms",
         [&](const Round& r) { return firstPaint(r.minimal); }},
        {"VandirII-Demo: start to first full paint", "ms",
         [&](const Round& r) { return firstPaint(r.program); }},
        {"VandirII-Demo behind the minimal program", "ms",
         [&](const Round& r) { return firstPaint(r.program) - firstPaint(r.minimal); }},
        {"minimal program: private memory at first paint", "MiB",
         [&](const Round& r) { return mib(r.minimal, "private_painted"); }},
        {"VandirII-Demo: private memory at first paint", "MiB",
         [&](const Round& r) { return mib(r.program, "private_painted"); }},
        {"VandirII-Demo: private memory, every page visited", "MiB",
         [&](const Round& r) { return mib(r.program, "private_visited"); }},
        {"probe: start to first full paint", "ms",
         [&](const Round& r) { return firstPaint(r.probe); }},
        {"probe behind the minimal program", "ms",
         [&](const Round& r) { return firstPaint(r.probe) - firstPaint(r.minimal); }},
        {"probe: private memory at first paint", "MiB",
         [&](const Round& r) { return mib(r.probe, "private_painted"); }},
        {"probe: private memory, every page visited", "MiB",
         [&](const Round& r) { return mib(r.probe, "private_visited"); }},
        {"probe: the skin store's pixels", "MiB",
         [&](const Round& r) { return mib(r.probe, "sheet_pixels"); }},
        {"minimal program: start to its entry point", "ms",
         [&](const Round& r) { return ms(r.minimal, "start", "entered"); }},
        {"probe: start to its entry point", "ms",
         [&](const Round& r) { return ms(r.probe, "start", "entered"); }},
        {"probe: GDI+ and common controls started", "ms",
         [&](const Round& r) { return ms(r.probe, "entered", "gdiplus_started"); }},
        {"sheet load alone, all 31 sheets (a separate run)", "ms",
         [&](const Round& r) { return ms(r.sheets, "sheets_started", "sheets_loaded"); }},
        {"probe: main window and page built, sheets loading alongside", "ms",
         [&](const Round& r) { return ms(r.probe, "gdiplus_started", "windows_built"); }},
        {"probe: shown to fully painted", "ms",
         [&](const Round& r) { return ms(r.probe, "windows_built", "painted"); }},
        {"probe: five other pages built, shown, painted", "ms",
         [&](const Round& r) { return ms(r.probe, "painted", "pages_visited"); }},
    };

    std::printf(
        "At %d %% (%d DPI): %d rounds after %d warm-up round(s); each round runs the minimal "
        "program, VandirII-Demo and the probe\n\n",
        vandir::layout::PercentOfDpi(vandir::SystemDpi()), vandir::SystemDpi(), runs, warmup);
    PrintHeader();
    std::vector<Summary> summaries;
    for (const Row& row : rows) {
        std::vector<double> samples;
        for (const Round& round : rounds) {
            samples.push_back(row.value(round));
        }
        summaries.push_back(Summarise(samples));
        const Summary& s = summaries.back();
        const std::string label = row.label + " (" + row.unit + ")";
        std::printf("| %-62s | %9.2f | %9.2f | %9.2f |\n", label.c_str(), s.minimum, s.median,
                    s.maximum);
    }

    const auto verdict = [](const char* what, double behind, double memory) {
        std::printf(
            "%s: fully painted within 150 ms of the minimal program: %s (median %.1f ms); "
            "under 30 MiB with every page visited: %s (median %.1f MiB, aim 20 MiB)\n",
            what, behind <= 150.0 ? "met" : "NOT met", behind, memory < 30.0 ? "met" : "NOT met",
            memory);
    };
    std::printf("\n");
    verdict("VandirII-Demo", summaries[2].median, summaries[5].median);
    verdict("probe", summaries[7].median, summaries[9].median);
    if (startOnly) {
        return 0;
    }

    const std::optional<Report> apply = Settled([&] {
        return RunReporting(folder + L"\\bench_apply.exe",
                            {"applies", "wall_us", "waits_us", "settings_us", "autostart_us",
                             "profile_us", "device_us"},
                            std::to_wstring(std::max(applies, 10) * 2));
    });
    const std::optional<SessionFigures> session = Settled(
        [&] { return RunDemoSession(folder + L"\\VandirII-Demo.exe", applies, restSeconds); });
    const std::optional<RestFigures> minimalRest =
        Settled([&] { return RunMinimalRest(folder + L"\\bench_minimal.exe", restSeconds); });
    const std::optional<Report> answer = Settled([&] {
        return RunReporting(folder + L"\\bench_answer.exe",
                            {"applies", "apply_us", "longest_answer_us"}, L"5");
    });
    if (!apply || !session || !minimalRest || !answer) {
        return 1;
    }
    PrintSession(*apply, *session, *minimalRest);
    PrintAnswers(*answer);
    return 0;
}
