#pragma once
// HidBackend over Linux hidraw: one /dev/hidrawN node per HID interface.
//
// Both places it looks are injectable so that tests can run on a fake tree:
// sysfsRoot holds one entry hidrawN per node (as /sys/class/hidraw does), each
// with device/uevent and device/report_descriptor; deviceDir holds the nodes.

#include <memory>
#include <string>
#include <vector>

#include "device/HidBackend.h"

namespace vandir {

class HidrawBackend : public HidBackend {
public:
    // accessRule: the installed udev rule that gives the logged-in user access
    // to the mouse, named when the mouse's node cannot be opened for want of
    // permission; empty names nothing.
    explicit HidrawBackend(std::string sysfsRoot = "/sys/class/hidraw",
                           std::string deviceDir = "/dev", std::string accessRule = "");

    // deviceDir + "/hidrawN" for every entry hidrawN of sysfsRoot, in the order
    // of N. Empty when sysfsRoot cannot be read.
    std::vector<std::string> EnumerateInterfaces() override;

    // Opens the node read-write. The returned device reads its properties
    // first from the node itself and, when the node does not answer (ioctls
    // fail), from the sysfs entry named like the node's file name:
    //   ReadIds:           HIDIOCGRAWINFO, else HID_ID in device/uevent;
    //   ReadTopLevelUsage: HIDIOCGRDESC, else device/report_descriptor
    //                      (the first top-level application collection);
    //   HasTopLevelUsage:  the same descriptor, any of its top-level
    //                      application collections (the node carries them all).
    // On failure the reason is "permission denied" for EACCES and EPERM (the
    // caller knows the path and names it), followed for the mouse's node by
    // what to do about it when an access rule was given; otherwise the
    // system's error text.
    std::unique_ptr<HidDevice> Open(const std::string& path,
                                    std::string* failure = nullptr) override;

private:
    // Whether the node of this sysfs entry is the mouse (its vendor and product).
    bool IsTheMouse(const std::string& sysfsEntry) const;

    std::string sysfsRoot_;
    std::string deviceDir_;
    std::string accessRule_;
};

// The HidError that a failed hidraw feature-report ioctl's errno stands for.
HidError HidErrorFromErrno(int error);

}  // namespace vandir
