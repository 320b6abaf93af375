#pragma once
// Running one benchmark program and collecting what it reports: its result
// line (Measure.h), with "start", the driver's time stamp just before it
// created the process.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vandir::bench {

// Numbers by name.
using Report = std::map<std::string, int64_t>;

// Runs the program with the arguments and collects its result line; nothing
// when it cannot start, fails, hangs for a minute or reports less than the
// names it must (the reason goes to the standard error).
std::optional<Report> RunReporting(const std::wstring& program,
                                   const std::vector<std::string>& names,
                                   const std::wstring& arguments = {});

}  // namespace vandir::bench
