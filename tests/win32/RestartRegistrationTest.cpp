// Restart after a crash or an update: the program is started again with the
// arguments it had (the demo's --simulate STATE among them).

#include "platform/win32/RestartRegistration.h"

#include <gtest/gtest.h>

namespace vandir {
namespace {

TEST(RestartRegistration, ArgumentsFollowTheProgramPath) {
    const struct {
        const wchar_t* commandLine;
        const wchar_t* arguments;
    } cases[] = {
        {L"VandirII.exe", L""},
        {L"\"C:\\Program Files\\Meridane\\Vandir II\\VandirII.exe\"", L""},
        {L"\"C:\\Program Files\\Vandir II\\VandirII-Demo.exe\" --simulate \"C:\\a b.vsim\"",
         L"--simulate \"C:\\a b.vsim\""},
        {L"VandirII-Demo.exe   --unplugged", L"--unplugged"},
        {L"VandirII-Demo.exe\t--unplugged  ", L"--unplugged  "},
        {L"\"C:\\unclosed quote --unplugged", L""},
        {L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.commandLine)));
        EXPECT_EQ(ArgumentsOf(c.commandLine), c.arguments);
    }
}

TEST(RestartRegistration, TheSystemTakesTheRegistration) {
    EXPECT_TRUE(RegisterForRestart());
}

}  // namespace
}  // namespace vandir
