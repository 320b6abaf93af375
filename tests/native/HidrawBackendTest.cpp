// HidrawBackend on a fake sysfs tree: entries laid out as the kernel lays
// them out (class entries are links into the devices folder), regular files
// standing in for the device nodes. A regular file answers no hidraw ioctl,
// so the devices fall back to sysfs for their properties and their feature
// transfers fail.

#include "platform/linux/HidrawBackend.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "core/RecordingClock.h"
#include "device/Transport.h"
#include "native/fixtures/ReportDescriptors.h"
#include "native/fixtures/UnprivilegedUser.h"

namespace vandir {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using fixtures::kKeyboardDescriptor;
using fixtures::kMouseDescriptor;
using fixtures::kVendorDescriptor;

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    ASSERT_TRUE(out.good()) << path;
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

Bytes Concat(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// A HID device's uevent as the kernel writes it.
std::string Uevent(const std::string& hidId, const std::string& name) {
    return "DRIVER=hid-generic\nHID_ID=" + hidId + "\nHID_NAME=" + name +
           "\nHID_PHYS=usb-0000:00:14.0-2/input0\nHID_UNIQ=\nMODALIAS=hid:b0003g0001\n";
}

class HidrawBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "hidraw-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directories(ClassFolder());
        fs::create_directories(DeviceDir());
        backend_ = HidrawBackend(ClassFolder().string(), DeviceDir().string());

        // The Vandir II's two interfaces, a keyboard, and another product of
        // the same maker that has the same configuration interface.
        AddInterface(0, Uevent("0003:00001F2E:0000002B", "Vandir II"), kMouseDescriptor);
        AddInterface(1, Uevent("0003:00001F2E:0000002B", "Vandir II"), kVendorDescriptor);
        AddInterface(2, Uevent("0003:00001A2B:00000C01", "USB Keyboard"), kKeyboardDescriptor);
        AddInterface(3, Uevent("0003:00001F2E:0000002C", "Vandir Pad"), kVendorDescriptor);
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    fs::path ClassFolder() const { return root_ / "sys/class/hidraw"; }
    fs::path DeviceDir() const { return root_ / "dev"; }
    fs::path Node(int n) const { return DeviceDir() / ("hidraw" + std::to_string(n)); }
    // The HID device behind hidrawN: what its class entry's device link points to.
    fs::path HidFolder(int n) const {
        return root_ / "sys/devices/usb2" / ("0003:XXXX.000" + std::to_string(n));
    }

    // sys/devices/usb2/0003:XXXX.000N/{uevent,report_descriptor,hidraw/hidrawN/device -> ../..}
    // sys/class/hidraw/hidrawN -> ../../devices/usb2/0003:XXXX.000N/hidraw/hidrawN
    // dev/hidrawN (a regular file)
    void AddInterface(int n, const std::string& uevent, const Bytes& descriptor) {
        const std::string name = "hidraw" + std::to_string(n);
        const fs::path device = HidFolder(n);
        const fs::path entry = device / "hidraw" / name;
        fs::create_directories(entry);
        fs::create_directory_symlink("../..", entry / "device");
        fs::create_directory_symlink(fs::relative(entry, ClassFolder()), ClassFolder() / name);
        WriteFile(device / "uevent", uevent);
        WriteFile(device / "report_descriptor", descriptor);
        WriteFile(Node(n), std::string());
    }

    std::unique_ptr<HidDevice> OpenNode(int n) {
        std::string failure;
        auto device = backend_.Open(Node(n).string(), &failure);
        EXPECT_NE(device, nullptr) << Node(n) << ": " << failure;
        return device;
    }

    fs::path root_;
    HidrawBackend backend_;  // on the fake tree once SetUp has made it
};

// The cases that need permissions to apply (see UnprivilegedUser.h).
class HidrawBackendUnprivilegedTest : public HidrawBackendTest {
protected:
    void SetUp() override {
        if (!fixtures::PermissionsApply()) {
            GTEST_SKIP() << fixtures::kNeedsAnUnprivilegedUser;
        }
        HidrawBackendTest::SetUp();
    }
};

// ---------------------------------------------------------------------------
// Enumeration
// ---------------------------------------------------------------------------

TEST_F(HidrawBackendTest, EnumeratesEveryHidrawEntryInNumericOrder) {
    AddInterface(10, Uevent("0003:00001F2E:0000002B", "Vandir II"), kVendorDescriptor);
    // Other names in the class folder are not hidraw nodes.
    fs::create_directory(ClassFolder() / "hidraw");
    fs::create_directory(ClassFolder() / "hidrawX");
    fs::create_directory(ClassFolder() / "hidraw2a");
    fs::create_directory(ClassFolder() / "hidraw-1");
    WriteFile(ClassFolder() / "uevent", std::string());

    const std::string dev = DeviceDir().string();
    EXPECT_EQ(backend_.EnumerateInterfaces(),
              (std::vector<std::string>{dev + "/hidraw0", dev + "/hidraw1", dev + "/hidraw2",
                                        dev + "/hidraw3", dev + "/hidraw10"}));
}

TEST_F(HidrawBackendTest, DiscoveryKeepsTheMousesVendorInterface) {
    // The pointer interface comes first and the other product shares the
    // vendor descriptor: only the Vandir II's vendor collection is kept.
    testing::RecordingClock clock;
    Transport transport(backend_, clock);
    EXPECT_EQ(transport.Discover(), 1);
    EXPECT_EQ(transport.DevicePath(), Node(1).string());
}

// One hidraw node carries every top-level collection of its interface: the
// mouse's node is found wherever among them its vendor collection stands.
TEST_F(HidrawBackendTest, DiscoveryFindsTheVendorCollectionAmongOthersOnOneNode) {
    const Bytes nestedVendor = Concat(Concat({0x05, 0x01, 0x09, 0x01, 0xA0}, kVendorDescriptor),
                                      {0xC0});  // inside a physical collection
    struct Case {
        const char* name;
        Bytes descriptor;
        bool found;
    };
    const Case cases[] = {
        {"keyboard first", Concat(kKeyboardDescriptor, kVendorDescriptor), true},
        {"vendor first", Concat(kVendorDescriptor, kKeyboardDescriptor), true},
        {"between two", Concat(Concat(kMouseDescriptor, kVendorDescriptor), kKeyboardDescriptor),
         true},
        {"keyboard alone", kKeyboardDescriptor, false},
        {"vendor not at the top level", Concat(kKeyboardDescriptor, nestedVendor), false},
    };
    // Only node 1 may match: the other product's node goes.
    fs::remove(ClassFolder() / "hidraw3");
    for (const Case& c : cases) {
        WriteFile(HidFolder(1) / "report_descriptor", c.descriptor);
        testing::RecordingClock clock;
        Transport transport(backend_, clock);
        EXPECT_EQ(transport.Discover(), c.found ? 1 : 0) << c.name;
        if (c.found) {
            EXPECT_EQ(transport.DevicePath(), Node(1).string()) << c.name;
        }
    }
}

TEST_F(HidrawBackendTest, EnumeratesNothingWithoutTheClassFolder) {
    HidrawBackend missing((root_ / "sys/class/none").string(), DeviceDir().string());
    EXPECT_TRUE(missing.EnumerateInterfaces().empty());
}

// ---------------------------------------------------------------------------
// Properties of an open interface
// ---------------------------------------------------------------------------

TEST_F(HidrawBackendTest, EachInterfaceReportsItsIdsAndTopLevelUsage) {
    struct Case {
        int node;
        uint16_t vendorId, productId, usagePage, usage;
    };
    const Case cases[] = {
        {0, 0x1F2E, 0x002B, 0x0001, 0x0002},  // the mouse's pointer interface
        {1, 0x1F2E, 0x002B, 0xFF01, 0x0002},  // its configuration interface
        {2, 0x1A2B, 0x0C01, 0x0001, 0x0006},  // a keyboard
        {3, 0x1F2E, 0x002C, 0xFF01, 0x0002},  // another product of the same maker
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("hidraw" + std::to_string(c.node));
        const auto device = OpenNode(c.node);
        ASSERT_NE(device, nullptr);
        uint16_t vendorId = 0, productId = 0, usagePage = 0, usage = 0;
        ASSERT_TRUE(device->ReadIds(vendorId, productId));
        EXPECT_EQ(vendorId, c.vendorId);
        EXPECT_EQ(productId, c.productId);
        ASSERT_TRUE(device->ReadTopLevelUsage(usagePage, usage));
        EXPECT_EQ(usagePage, c.usagePage);
        EXPECT_EQ(usage, c.usage);
    }
}

TEST_F(HidrawBackendTest, ReadIdsNeedsAWellFormedHidIdLine) {
    struct Case {
        const char* name;
        std::optional<std::string> uevent;  // nullopt: no uevent file
        bool readable;
    };
    const Case cases[] = {
        {"kernel layout", Uevent("0003:00001F2E:0000002B", "Vandir II"), true},
        {"last line without newline", "HID_NAME=Vandir II\nHID_ID=0003:00001F2E:0000002B", true},
        {"short hex fields", "HID_ID=3:1f2e:2b\n", true},
        {"no uevent file", std::nullopt, false},
        {"empty", "", false},
        {"no HID_ID line", "DRIVER=hid-generic\nHID_NAME=Vandir II\n", false},
        {"HID_ID inside another key", "OLD_HID_ID=0003:00001F2E:0000002B\n", false},
        {"not hex", "HID_ID=0003:00001G2E:0000002B\n", false},
        {"0x prefixes", "HID_ID=0003:0x1F2E:0x2B\n", false},
        {"two fields", "HID_ID=0003:00001F2E\n", false},
        {"four fields", "HID_ID=0003:00001F2E:0000002B:0001\n", false},
        {"empty vendor", "HID_ID=0003::0000002B\n", false},
        {"empty product", "HID_ID=0003:00001F2E:\n", false},
        {"vendor beyond 16 bits", "HID_ID=0003:00011F2E:0000002B\n", false},
        {"product beyond 32 bits", "HID_ID=0003:00001F2E:10000002B\n", false},
        {"bus not hex", "HID_ID=usb:00001F2E:0000002B\n", false},
        {"binary", std::string("HID_ID=\0\xFF:\n", 11), false},
    };
    const fs::path uevent = HidFolder(1) / "uevent";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(uevent);
        if (c.uevent) {
            WriteFile(uevent, *c.uevent);
        }
        const auto device = OpenNode(1);
        ASSERT_NE(device, nullptr);
        uint16_t vendorId = 0x1111, productId = 0x2222;
        EXPECT_EQ(device->ReadIds(vendorId, productId), c.readable);
        if (c.readable) {
            EXPECT_EQ(vendorId, 0x1F2E);
            EXPECT_EQ(productId, 0x002B);
        }
    }
}

TEST_F(HidrawBackendTest, ReadTopLevelUsageNeedsAReadableCompleteDescriptor) {
    enum class Kind { File, Missing, Folder, Fifo };
    struct Case {
        const char* name;
        Kind kind;
        Bytes descriptor;
        bool readable;
    };
    const Case cases[] = {
        {"missing", Kind::Missing, {}, false},
        {"empty", Kind::File, {}, false},
        {"cut inside the collection item", Kind::File,
         Bytes(kVendorDescriptor.begin(), kVendorDescriptor.begin() + 6), false},
        {"a folder", Kind::Folder, {}, false},
        {"a FIFO (must not hang)", Kind::Fifo, {}, false},
        {"cut after the collection item", Kind::File,
         Bytes(kVendorDescriptor.begin(), kVendorDescriptor.begin() + 7), true},
    };
    const fs::path file = HidFolder(1) / "report_descriptor";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(file);
        switch (c.kind) {
            case Kind::File:
                WriteFile(file, c.descriptor);
                break;
            case Kind::Folder:
                fs::create_directory(file);
                break;
            case Kind::Fifo:
                ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
                break;
            case Kind::Missing:
                break;
        }
        const auto device = OpenNode(1);
        ASSERT_NE(device, nullptr);
        uint16_t usagePage = 0, usage = 0;
        EXPECT_EQ(device->ReadTopLevelUsage(usagePage, usage), c.readable);
        if (c.readable) {
            EXPECT_EQ(usagePage, 0xFF01);
            EXPECT_EQ(usage, 2);
        }
    }
}

// The device is unplugged while open: its sysfs entries go away, and every
// operation fails cleanly.
TEST_F(HidrawBackendTest, VanishedDeviceFailsEveryOperation) {
    const auto device = OpenNode(1);
    ASSERT_NE(device, nullptr);
    fs::remove_all(HidFolder(1));
    fs::remove(ClassFolder() / "hidraw1");
    fs::remove(Node(1));

    uint16_t a = 0, b = 0;
    EXPECT_FALSE(device->ReadIds(a, b));
    EXPECT_FALSE(device->ReadTopLevelUsage(a, b));
    Bytes report(64, 0);
    report[0] = 0xA1;
    EXPECT_FALSE(device->GetFeature(report.data(), report.size()));
    EXPECT_EQ(device->LastError(), HidError::Other);
}

// A node whose name is not hidrawN has no sysfs entry to fall back on.
TEST_F(HidrawBackendTest, NodeWithoutASysfsEntryHasNoProperties) {
    WriteFile(DeviceDir() / "vandir", std::string());
    const auto device = backend_.Open((DeviceDir() / "vandir").string());
    ASSERT_NE(device, nullptr);
    uint16_t a = 0, b = 0;
    EXPECT_FALSE(device->ReadIds(a, b));
    EXPECT_FALSE(device->ReadTopLevelUsage(a, b));
}

// ---------------------------------------------------------------------------
// Open
// ---------------------------------------------------------------------------

TEST_F(HidrawBackendTest, OpenOfAMissingNodeGivesTheSystemsReason) {
    std::string failure;
    EXPECT_EQ(backend_.Open(Node(7).string(), &failure), nullptr);
    EXPECT_EQ(failure, std::error_code(ENOENT, std::generic_category()).message());
    EXPECT_EQ(backend_.Open(Node(7).string()), nullptr);  // without a place for the reason
}

// The mouse's node names the access rule when the backend was given one;
// any other node, or a backend without a rule, says only what happened.
TEST_F(HidrawBackendUnprivilegedTest, OpenOfAnUnreadableNodeSaysPermissionDenied) {
    const std::string rule = "/etc/udev/rules.d/70-vandir-ii.rules";
    const std::string ruleAdvice = "permission denied (install the udev rule " + rule +
                                   ", which gives the logged-in user access, and replug the mouse)";
    const HidrawBackend withRule(ClassFolder().string(), DeviceDir().string(), rule);
    struct Case {
        const char* name;
        const HidrawBackend& backend;
        int node;
        std::string failure;
    };
    const Case cases[] = {
        {"mouse, no rule given", backend_, 1, "permission denied"},
        {"mouse's first interface", withRule, 0, ruleAdvice},
        {"mouse's vendor interface", withRule, 1, ruleAdvice},
        {"keyboard", withRule, 2, "permission denied"},
        {"same maker, other product", withRule, 3, "permission denied"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(::chmod(Node(c.node).c_str(), 0), 0);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HidrawBackend backend = c.backend;  // Open is not const
        std::string failure;
        EXPECT_EQ(backend.Open(Node(c.node).string(), &failure), nullptr) << "the node was opened";
        EXPECT_EQ(failure, c.failure);
    }
}

// ---------------------------------------------------------------------------
// Feature transfers
// ---------------------------------------------------------------------------

// A regular file answers the feature ioctls with ENOTTY, which no retry can
// help; lengths the ioctl cannot carry are refused before it is made, as the
// kernel refuses them (EINVAL).
TEST_F(HidrawBackendTest, FeatureTransfersOnANonHidrawNodeFail) {
    const auto device = OpenNode(1);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->LastError(), HidError::None);
    struct Case {
        size_t length;
        HidError error;
    };
    const Case cases[] = {
        {64, HidError::Other},
        {1041, HidError::Other},
        {0, HidError::InvalidParameter},
        {16384, HidError::InvalidParameter},  // one past the ioctl's 14-bit length
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        Bytes report(std::max<size_t>(c.length, 1), 0);
        report[0] = 0xA0;
        const Bytes before = report;
        EXPECT_FALSE(device->SetFeature(report.data(), c.length));
        EXPECT_EQ(device->LastError(), c.error);
        EXPECT_FALSE(device->GetFeature(report.data(), c.length));
        EXPECT_EQ(device->LastError(), c.error);
        EXPECT_EQ(report, before);
    }
    EXPECT_FALSE(device->SetFeature(nullptr, 64));
    EXPECT_EQ(device->LastError(), HidError::InvalidParameter);
}

TEST(HidrawErrnoTest, MapsTransientFailuresOntoTheRetryableErrors) {
    struct Case {
        int error;
        HidError expected;
    };
    const Case cases[] = {
        {EAGAIN, HidError::NotReady},
        {EBUSY, HidError::NotReady},
        {ETIMEDOUT, HidError::NotReady},
        {ETIME, HidError::NotReady},
        {EINTR, HidError::NotReady},
        {EILSEQ, HidError::Crc},
        {EPROTO, HidError::Crc},
        {EOVERFLOW, HidError::Crc},
        {EIO, HidError::WriteFault},
        {ECOMM, HidError::WriteFault},
        {EPIPE, HidError::FunctionFailed},
        {EINVAL, HidError::InvalidParameter},
        {ENODEV, HidError::Other},
        {ESHUTDOWN, HidError::Other},
        {ENOENT, HidError::Other},
        {EACCES, HidError::Other},
        {EPERM, HidError::Other},
        {ENOTTY, HidError::Other},
        {EBADF, HidError::Other},
        {ENOSYS, HidError::Other},
        {0, HidError::Other},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HidErrorFromErrno(c.error), c.expected) << "errno " << c.error;
    }
}

}  // namespace
}  // namespace vandir
