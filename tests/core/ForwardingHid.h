#pragma once
// An open HID interface that passes everything to another one: the base of
// the tests' mice that hold, fail or delay some transfers and let the rest
// through.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "device/HidBackend.h"

namespace vandir::testing {

class ForwardingHidDevice : public HidDevice {
public:
    explicit ForwardingHidDevice(std::unique_ptr<HidDevice> inner) : inner_(std::move(inner)) {}

    bool ReadIds(uint16_t& vendorId, uint16_t& productId) override {
        return inner_->ReadIds(vendorId, productId);
    }
    bool ReadTopLevelUsage(uint16_t& usagePage, uint16_t& usage) override {
        return inner_->ReadTopLevelUsage(usagePage, usage);
    }
    bool SetFeature(const uint8_t* report, size_t length) override {
        return inner_->SetFeature(report, length);
    }
    bool GetFeature(uint8_t* report, size_t length) override {
        return inner_->GetFeature(report, length);
    }
    HidError LastError() const override { return inner_->LastError(); }

protected:
    HidDevice& inner() { return *inner_; }

private:
    std::unique_ptr<HidDevice> inner_;
};

}  // namespace vandir::testing
