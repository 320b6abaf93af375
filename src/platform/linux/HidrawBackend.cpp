#include "platform/linux/HidrawBackend.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "device/Transport.h"
#include "platform/linux/ReportDescriptor.h"
#include "platform/linux/UniqueFd.h"

namespace vandir {
namespace {

constexpr std::string_view kNodePrefix = "hidraw";
constexpr std::string_view kHidIdKey = "HID_ID=";

// A uevent is a few hundred bytes; a report descriptor is at most this long
// (HID_MAX_DESCRIPTOR_SIZE in the kernel).
constexpr size_t kLargestUevent = 64 * 1024;
constexpr size_t kLargestDescriptor = 4096;

// The N of "hidrawN", or nothing for any other name.
std::optional<unsigned long> NodeNumber(std::string_view name) {
    if (!name.starts_with(kNodePrefix) || name.size() == kNodePrefix.size()) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(kNodePrefix.size());
    unsigned long number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

// Up to limit bytes of a regular file (sysfs attributes are regular files);
// nothing when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, size_t limit) {
    // Non-blocking, so that a FIFO in place of an attribute cannot hang the read.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    // Sysfs reports a nominal size, so read until the end instead of trusting it.
    std::vector<uint8_t> contents(limit);
    size_t done = 0;
    while (done < limit) {
        const ssize_t n = ::read(fd.get(), contents.data() + done, limit - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    contents.resize(done);
    return contents;
}

// A whole field of hex digits whose value fits in 16 bits.
std::optional<uint16_t> HexField(std::string_view field) {
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, 16);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
        value > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(value);
}

// Vendor and product from the line HID_ID=BBBB:VVVVVVVV:PPPPPPPP of a HID
// device's uevent (bus, vendor, product in hex).
bool ParseHidId(std::string_view uevent, uint16_t& vendorId, uint16_t& productId) {
    while (!uevent.empty()) {
        const size_t newline = uevent.find('\n');
        const std::string_view line = uevent.substr(0, newline);
        uevent =
            newline == std::string_view::npos ? std::string_view() : uevent.substr(newline + 1);
        if (!line.starts_with(kHidIdKey)) {
            continue;
        }
        const std::string_view value = line.substr(kHidIdKey.size());
        const size_t first = value.find(':');
        const size_t second = first == std::string_view::npos ? first : value.find(':', first + 1);
        if (second == std::string_view::npos ||
            value.find(':', second + 1) != std::string_view::npos ||
            !HexField(value.substr(0, first))) {
            return false;
        }
        const auto vendor = HexField(value.substr(first + 1, second - first - 1));
        const auto product = HexField(value.substr(second + 1));
        if (!vendor || !product) {
            return false;
        }
        vendorId = *vendor;
        productId = *product;
        return true;
    }
    return false;
}

class HidrawDevice : public HidDevice {
public:
    // sysfsEntry: the sysfs directory of this node, for what the node itself
    // cannot tell (it is not a hidraw node, as in tests).
    HidrawDevice(UniqueFd fd, std::string sysfsEntry)
        : fd_(std::move(fd)), sysfsEntry_(std::move(sysfsEntry)) {}

    bool ReadIds(uint16_t& vendorId, uint16_t& productId) override {
        hidraw_devinfo info{};
        if (::ioctl(fd_.get(), HIDIOCGRAWINFO, &info) == 0) {
            vendorId = static_cast<uint16_t>(info.vendor);
            productId = static_cast<uint16_t>(info.product);
            return true;
        }
        const auto uevent = ReadFile(sysfsEntry_ + "/device/uevent", kLargestUevent);
        if (!uevent) {
            return false;
        }
        const std::string_view text(reinterpret_cast<const char*>(uevent->data()), uevent->size());
        return ParseHidId(text, vendorId, productId);
    }

    bool ReadTopLevelUsage(uint16_t& usagePage, uint16_t& usage) override {
        const std::optional<std::vector<uint8_t>> descriptor = Descriptor();
        if (!descriptor) {
            return false;
        }
        const std::optional<TopLevelUsage> found = FindTopLevelUsage(*descriptor);
        if (!found) {
            return false;
        }
        usagePage = found->usagePage;
        usage = found->usage;
        return true;
    }

    // The node carries every top-level collection of its interface; feature
    // reports reach each of them through it by their report IDs.
    bool HasTopLevelUsage(uint16_t usagePage, uint16_t usage) override {
        const std::optional<std::vector<uint8_t>> descriptor = Descriptor();
        if (!descriptor) {
            return false;
        }
        const TopLevelUsage wanted{usagePage, usage};
        for (const TopLevelUsage& found : FindTopLevelUsages(*descriptor)) {
            if (found == wanted) {
                return true;
            }
        }
        return false;
    }

    bool SetFeature(const uint8_t* report, size_t length) override {
        if (!AcceptableLength(report, length)) {
            return false;
        }
        // The ioctl takes a writable buffer; the caller's stays untouched.
        std::vector<uint8_t> copy(report, report + length);
        return Transfer(HIDIOCSFEATURE(length), copy.data());
    }

    bool GetFeature(uint8_t* report, size_t length) override {
        return AcceptableLength(report, length) && Transfer(HIDIOCGFEATURE(length), report);
    }

    HidError LastError() const override { return lastError_; }

private:
    // The report descriptor from the node, else from its sysfs entry.
    std::optional<std::vector<uint8_t>> Descriptor() const {
        std::optional<std::vector<uint8_t>> descriptor = DescriptorFromNode();
        if (!descriptor) {
            descriptor = ReadFile(sysfsEntry_ + "/device/report_descriptor", kLargestDescriptor);
        }
        return descriptor;
    }

    // The descriptor as the kernel holds it; nothing when the node does not
    // answer the ioctls.
    std::optional<std::vector<uint8_t>> DescriptorFromNode() const {
        int size = 0;
        if (::ioctl(fd_.get(), HIDIOCGRDESCSIZE, &size) != 0 || size <= 0) {
            return std::nullopt;
        }
        // The kernel refuses to copy HID_MAX_DESCRIPTOR_SIZE bytes or more; a
        // descriptor that long is read cut short, which the parser tolerates.
        auto request = std::make_unique<hidraw_report_descriptor>();
        request->size = std::min<uint32_t>(static_cast<uint32_t>(size), sizeof(request->value) - 1);
        if (::ioctl(fd_.get(), HIDIOCGRDESC, request.get()) != 0) {
            return std::nullopt;
        }
        return std::vector<uint8_t>(request->value, request->value + request->size);
    }

    // The feature ioctls carry the length in their request number, which
    // holds 14 bits; a length outside that (or no buffer) is refused here as
    // the kernel refuses lengths it cannot take, with EINVAL.
    bool AcceptableLength(const void* report, size_t length) {
        if (report == nullptr || length == 0 || length > _IOC_SIZEMASK) {
            lastError_ = HidErrorFromErrno(EINVAL);
            return false;
        }
        return true;
    }

    bool Transfer(unsigned long request, uint8_t* buffer) {
        int result = 0;
        do {
            result = ::ioctl(fd_.get(), request, buffer);
        } while (result < 0 && errno == EINTR);
        lastError_ = result < 0 ? HidErrorFromErrno(errno) : HidError::None;
        return result >= 0;
    }

    UniqueFd fd_;
    std::string sysfsEntry_;
    HidError lastError_ = HidError::None;
};

}  // namespace

HidrawBackend::HidrawBackend(std::string sysfsRoot, std::string deviceDir, std::string accessRule)
    : sysfsRoot_(std::move(sysfsRoot)),
      deviceDir_(std::move(deviceDir)),
      accessRule_(std::move(accessRule)) {}

std::vector<std::string> HidrawBackend::EnumerateInterfaces() {
    namespace fs = std::filesystem;
    std::vector<std::pair<unsigned long, std::string>> nodes;
    std::error_code error;
    for (fs::directory_iterator it(sysfsRoot_, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().filename().string();
        if (const auto number = NodeNumber(name)) {
            nodes.emplace_back(*number, std::move(name));
        }
    }
    std::sort(nodes.begin(), nodes.end());
    std::vector<std::string> paths;
    paths.reserve(nodes.size());
    for (const auto& node : nodes) {
        paths.push_back(deviceDir_ + "/" + node.second);
    }
    return paths;
}

std::unique_ptr<HidDevice> HidrawBackend::Open(const std::string& path, std::string* failure) {
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (!fd) {
        const int error = errno;
        if (failure == nullptr) {
            return nullptr;
        }
        if (error != EACCES && error != EPERM) {
            *failure = std::error_code(error, std::generic_category()).message();
        } else if (!accessRule_.empty() && IsTheMouse(sysfsRoot_ + "/" + name)) {
            *failure = "permission denied (install the udev rule " + accessRule_ +
                       ", which gives the logged-in user access, and replug the mouse)";
        } else {
            *failure = "permission denied";
        }
        return nullptr;
    }
    return std::make_unique<HidrawDevice>(std::move(fd), sysfsRoot_ + "/" + name);
}

// The node's sysfs entry is readable without access to the node itself.
bool HidrawBackend::IsTheMouse(const std::string& sysfsEntry) const {
    const auto uevent = ReadFile(sysfsEntry + "/device/uevent", kLargestUevent);
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    return uevent &&
           ParseHidId(
               std::string_view(reinterpret_cast<const char*>(uevent->data()), uevent->size()),
               vendorId, productId) &&
           vendorId == kVendorId && productId == kProductId;
}

// Which failures are worth the transport's retries. The transport retries five
// Windows errors; a hidraw transfer fails with the errno of the USB control
// transfer below it, so each errno goes to the Windows error of the same kind:
//   device busy or slow to answer (EAGAIN, EBUSY, ETIMEDOUT, ETIME, EINTR)
//       -> NotReady: the device is there but not ready yet;
//   corrupted transfer on the wire (EILSEQ is a CRC mismatch, EPROTO a bit
//       stuffing error or missing handshake, EOVERFLOW a device that sent
//       more than asked) -> Crc;
//   a transfer the host could not carry out (EIO, ECOMM) -> WriteFault;
//   the device stalled the request (EPIPE), which is how a USB device turns
//       down a request it cannot take at that moment; the retries are few and
//       short, so a stall is given them -> FunctionFailed;
//   a length the kernel refuses (EINVAL) -> InvalidParameter, as Windows
//       reports a buffer that does not fit the report.
// Everything else is final, above all a device that is gone (ENODEV,
// ESHUTDOWN, ENOENT), access refused (EACCES, EPERM) and a node that is not
// a hidraw node (ENOTTY): -> Other.
HidError HidErrorFromErrno(int error) {
    switch (error) {
        case EAGAIN:
#if EWOULDBLOCK != EAGAIN
        case EWOULDBLOCK:
#endif
        case EBUSY:
        case ETIMEDOUT:
        case ETIME:
        case EINTR:
            return HidError::NotReady;
        case EILSEQ:
        case EPROTO:
        case EOVERFLOW:
            return HidError::Crc;
        case EIO:
        case ECOMM:
            return HidError::WriteFault;
        case EPIPE:
            return HidError::FunctionFailed;
        case EINVAL:
            return HidError::InvalidParameter;
        default:
            return HidError::Other;
    }
}

}  // namespace vandir
