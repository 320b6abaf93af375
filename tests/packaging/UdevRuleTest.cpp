// The udev rule that gives the logged-in user access to the mouse's hidraw
// nodes, read as udev reads it: each line a rule of comma-separated
// KEY{attribute}OP"value" pairs. udevadm verify is not in every systemd.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "device/Transport.h"

namespace vandir {
namespace {

struct RulePair {
    std::string key;  // with its attribute: ATTRS{idVendor}
    std::string op;   // == != = += -= :=
    std::string value;
};
using Rule = std::vector<RulePair>;

// The rules of a file; nothing when a line is not a rule of pairs.
std::optional<std::vector<Rule>> ParseRules(std::istream& in) {
    static const std::regex kPair(
        R"re(\s*([A-Z_]+(\{[^}]+\})?)\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)"\s*)re");
    std::vector<Rule> rules;
    std::string line;
    while (std::getline(in, line)) {
        if (line.find_first_not_of(" \t") == std::string::npos ||
            line[line.find_first_not_of(" \t")] == '#') {
            continue;
        }
        Rule rule;
        size_t start = 0;
        while (start <= line.size()) {
            const size_t comma = line.find(',', start);
            const std::string part =
                line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            std::smatch match;
            if (!std::regex_match(part, match, kPair)) {
                return std::nullopt;
            }
            rule.push_back({match[1], match[3], match[4]});
            if (comma == std::string::npos) {
                break;
            }
            start = comma + 1;
        }
        rules.push_back(rule);
    }
    return rules;
}

// How sysfs writes a USB ID: four lower-case hex digits, which udev compares as text.
std::string SysfsId(uint16_t id) {
    char text[5];
    std::snprintf(text, sizeof text, "%04x", id);
    return text;
}

TEST(UdevRuleTest, GivesTheLoggedInUserTheMousesHidrawNodesAndNothingElse) {
    std::ifstream file(VANDIR_UDEV_RULE_SOURCE);
    ASSERT_TRUE(file) << VANDIR_UDEV_RULE_SOURCE;
    const std::optional<std::vector<Rule>> rules = ParseRules(file);
    ASSERT_TRUE(rules) << "a line is not a udev rule";
    ASSERT_EQ(rules->size(), 1u);

    std::vector<RulePair> matches;
    std::vector<RulePair> assignments;
    for (const RulePair& pair : rules->front()) {
        (pair.op == "==" || pair.op == "!=" ? matches : assignments).push_back(pair);
    }
    const auto expectMatch = [&](const std::string& key, const std::string& value) {
        for (const RulePair& pair : matches) {
            if (pair.key == key) {
                EXPECT_EQ(pair.op, "==") << key;
                EXPECT_EQ(pair.value, value) << key;
                return;
            }
        }
        ADD_FAILURE() << "no match on " << key;
    };
    expectMatch("SUBSYSTEM", "hidraw");
    expectMatch("ATTRS{idVendor}", SysfsId(kVendorId));
    expectMatch("ATTRS{idProduct}", SysfsId(kProductId));
    EXPECT_EQ(matches.size(), 3u);
    // Access through the seat only: no mode or group that opens it to others.
    ASSERT_EQ(assignments.size(), 1u);
    EXPECT_EQ(assignments[0].key, "TAG");
    EXPECT_EQ(assignments[0].op, "+=");
    EXPECT_EQ(assignments[0].value, "uaccess");
}

// The uaccess tag is acted on by 73-seat-late.rules: a rule read later
// would come too late.
TEST(UdevRuleTest, IsInstalledWhereUdevReadsItBeforeTheSeatRules) {
    const std::string installed = VANDIR_UDEV_RULE_FILE;
    const size_t slash = installed.rfind('/');
    ASSERT_NE(slash, std::string::npos);
    const std::string folder = installed.substr(0, slash);
    const std::string name = installed.substr(slash + 1);
    EXPECT_TRUE(folder == "/etc/udev/rules.d" || folder == "/usr/lib/udev/rules.d" ||
                folder == "/lib/udev/rules.d")
        << folder;
    ASSERT_TRUE(std::regex_match(name, std::regex(R"([0-9]{2}-[a-z0-9-]+\.rules)"))) << name;
    EXPECT_LT(std::stoi(name.substr(0, 2)), 73) << name;
}

}  // namespace
}  // namespace vandir
