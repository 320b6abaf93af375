#include "platform/win32/Win32HidBackend.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "i18n/Unicode.h"
#include "platform/win32/HidHandles.h"  // HidD_GetHidGuid
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace vandir {
namespace {

std::string Utf8(std::wstring_view text) {
    return Utf8FromUtf16(FromWide(text));
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The HID interface class as device interface paths spell it, in lower case.
std::string HidClassText() {
    GUID guid{};
    ::HidD_GetHidGuid(&guid);
    char text[40] = {};
    std::snprintf(text, sizeof(text), "{%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

TEST(HidErrorFromSystemErrorTest, TheFiveRetryableCodesKeepTheirOwnMeaning) {
    EXPECT_EQ(HidErrorFromSystemError(21), HidError::NotReady);
    EXPECT_EQ(HidErrorFromSystemError(23), HidError::Crc);
    EXPECT_EQ(HidErrorFromSystemError(29), HidError::WriteFault);
    EXPECT_EQ(HidErrorFromSystemError(87), HidError::InvalidParameter);
    EXPECT_EQ(HidErrorFromSystemError(1627), HidError::FunctionFailed);
    for (const DWORD code : {21u, 23u, 29u, 87u, 1627u}) {
        EXPECT_TRUE(IsRetryable(HidErrorFromSystemError(code))) << code;
    }
}

TEST(HidErrorFromSystemErrorTest, EveryOtherCodeIsNotRetried) {
    EXPECT_EQ(HidErrorFromSystemError(0), HidError::None);
    // Neighbours of the retryable codes and the usual failures of a vanished device.
    for (const DWORD code :
         {1u, 5u, 6u, 22u, 24u, 30u, 31u, 50u, 86u, 88u, 1167u, 1626u, 1628u, 0xFFFFFFFFu}) {
        EXPECT_EQ(HidErrorFromSystemError(code), HidError::Other) << code;
        EXPECT_FALSE(IsRetryable(HidErrorFromSystemError(code))) << code;
    }
}

TEST(OpenFailureReasonTest, NamesTheCommonCasesAndNumbersTheRest) {
    EXPECT_EQ(OpenFailureReason(ERROR_FILE_NOT_FOUND), "not found");
    EXPECT_EQ(OpenFailureReason(ERROR_ACCESS_DENIED), "access denied");
    EXPECT_EQ(OpenFailureReason(ERROR_SHARING_VIOLATION), "in use by another program");
    EXPECT_EQ(OpenFailureReason(ERROR_GEN_FAILURE), "system error 31");
    EXPECT_EQ(OpenFailureReason(4294967295u), "system error 4294967295");
}

// Whatever the system has (Wine shows its own virtual mouse and keyboard, a
// Windows machine its real devices), the list must be sound.
TEST(Win32HidBackendTest, EnumerationListsDistinctHidInterfacePaths) {
    Win32HidBackend backend;
    const std::vector<std::string> paths = backend.EnumerateInterfaces();
    const std::string hidClass = HidClassText();
    ASSERT_EQ(hidClass, "{4d1e55b2-f16f-11cf-88cb-001111000030}");

    std::set<std::string> distinct;
    for (const std::string& path : paths) {
        EXPECT_EQ(path.rfind("\\\\?\\", 0), 0u) << path;
        EXPECT_NE(Lower(path).find(hidClass), std::string::npos) << path;
        EXPECT_EQ(path.find('\0'), std::string::npos) << "no terminator in " << path;
        EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8(path)), path) << "valid UTF-8: " << path;
        EXPECT_TRUE(distinct.insert(path).second) << "listed twice: " << path;
    }
    EXPECT_EQ(backend.EnumerateInterfaces(), paths) << "a second enumeration gives the same list";
}

// Opening works or fails with a reason; nothing is sent to the devices.
TEST(Win32HidBackendTest, EachEnumeratedInterfaceOpensOrSaysWhy) {
    Win32HidBackend backend;
    for (const std::string& path : backend.EnumerateInterfaces()) {
        std::string failure;
        const std::unique_ptr<HidDevice> device = backend.Open(path, &failure);
        if (!device) {
            EXPECT_FALSE(failure.empty()) << path;
            continue;
        }
        uint16_t first = 0;
        uint16_t second = 0;
        device->ReadIds(first, second);
        device->ReadTopLevelUsage(first, second);
        EXPECT_EQ(device->LastError(), HidError::None) << "no transfer was made on " << path;
    }
}

TEST(Win32HidBackendTest, OpeningAMissingInterfaceFailsWithAReason) {
    Win32HidBackend backend;
    const std::string missing =
        "\\\\?\\HID#VID_1F2E&PID_002B&MI_01#9&0&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    std::string failure = "untouched";
    EXPECT_EQ(backend.Open(missing, &failure), nullptr);
    EXPECT_EQ(failure, "not found");
    EXPECT_EQ(backend.Open(missing), nullptr) << "the reason is optional";
}

class Win32HidBackendFileTest : public ::testing::Test {
protected:
    void SetUp() override { std::ofstream(std::filesystem::path(file_)) << "not a device"; }

    test::TempFolder folder_;
    // Non-ASCII, so that the UTF-8 path must be converted faithfully to be found.
    std::wstring file_ = folder_ / L"m\u00e4us \u6ed1\u9f20 \U0001F5B1.bin";
    Win32HidBackend backend_;
};

TEST_F(Win32HidBackendFileTest, OpenConvertsTheUtf8PathAndSharesTheObject) {
    std::string failure;
    const auto device = backend_.Open(Utf8(file_), &failure);
    ASSERT_NE(device, nullptr) << failure;
    const auto second = backend_.Open(Utf8(file_), &failure);
    EXPECT_NE(second, nullptr) << "shared for reading and writing: " << failure;
}

TEST_F(Win32HidBackendFileTest, OpenReportsAccessDeniedAndSharingViolation) {
    std::string failure;
    EXPECT_EQ(backend_.Open(Utf8(folder_.Path()), &failure), nullptr) << "a folder";
    EXPECT_EQ(failure, "access denied");

    const UniqueFileHandle exclusive(::CreateFileW(file_.c_str(), GENERIC_READ, 0, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(exclusive.Valid());
    EXPECT_EQ(backend_.Open(Utf8(file_), &failure), nullptr);
    EXPECT_EQ(failure, "in use by another program");
}

TEST_F(Win32HidBackendFileTest, OpenRefusesAPathWithAnEmbeddedZero) {
    // The system would see only the part before the zero: the folder.
    std::string failure;
    EXPECT_EQ(backend_.Open(Utf8(file_) + std::string(1, '\0') + "x", &failure), nullptr);
    EXPECT_EQ(failure, "invalid path");
    EXPECT_NE(backend_.Open(Utf8(file_), &failure), nullptr) << failure;
}

// A handle that is not a HID interface: every HID request fails, nothing crashes,
// and the failures are not mistaken for a busy device.
TEST_F(Win32HidBackendFileTest, NonHidHandleFailsEveryRequestWithoutRetryableErrors) {
    const auto device = backend_.Open(Utf8(file_));
    ASSERT_NE(device, nullptr);

    uint16_t vendorId = 0x1111;
    uint16_t productId = 0x2222;
    EXPECT_FALSE(device->ReadIds(vendorId, productId));
    EXPECT_FALSE(device->ReadTopLevelUsage(vendorId, productId));
    EXPECT_EQ(vendorId, 0x1111) << "outputs untouched on failure";
    EXPECT_EQ(productId, 0x2222);

    std::vector<uint8_t> request(64, 0);
    request[0] = 0xA1;
    request[1] = 0x07;
    const std::vector<uint8_t> original = request;
    EXPECT_FALSE(device->SetFeature(request.data(), request.size()));
    // A file system refuses HID requests as unsupported (ERROR_INVALID_FUNCTION on
    // Windows, ERROR_NOT_SUPPORTED under Wine): not worth a retry.
    EXPECT_EQ(device->LastError(), HidError::Other);
    EXPECT_EQ(request, original) << "the caller's report is never written";

    std::vector<uint8_t> reply(1041, 0);
    reply[0] = 0xA1;
    EXPECT_FALSE(device->GetFeature(reply.data(), reply.size()));
    EXPECT_EQ(device->LastError(), HidError::Other);
}

TEST_F(Win32HidBackendFileTest, EmptyReportsNeverReachTheSystem) {
    UniqueFileHandle handle(::CreateFileW(file_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(handle.Valid());
    Win32HidDevice device(std::move(handle));
    ASSERT_NE(device.NativeHandle(), INVALID_HANDLE_VALUE);

    uint8_t report[1] = {0xA0};
    ::SetLastError(ERROR_NOT_READY);  // what a stale code would wrongly turn into
    EXPECT_FALSE(device.SetFeature(nullptr, 64));
    EXPECT_EQ(device.LastError(), HidError::Other);
    ::SetLastError(ERROR_NOT_READY);
    EXPECT_FALSE(device.GetFeature(report, 0));
    EXPECT_EQ(device.LastError(), HidError::Other);
    EXPECT_EQ(report[0], 0xA0);
}

}  // namespace
}  // namespace vandir
