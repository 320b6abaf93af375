#pragma once
// A HID backend whose interfaces and transfer outcomes a test scripts one by
// one, and which records every buffer it was handed, so that a test can check
// the exact transfers, retries and restored buffers.

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/HidBackend.h"

namespace vandir::testing {

struct ScriptedInterface {
    uint16_t vendorId = 0x1F2E;
    uint16_t productId = 0x002B;
    uint16_t usagePage = 0xFF01;
    uint16_t usage = 2;
    bool opens = true;
    bool idsReadable = true;
};

// One transfer: it succeeds (a GetFeature then copies reply over the buffer)
// or fails with an error, after scribbling over the buffer as a driver may.
struct ScriptedTransfer {
    bool succeeds = true;
    HidError error = HidError::None;
    std::vector<uint8_t> reply;
};

struct ScriptedHidState {
    std::vector<std::pair<std::string, ScriptedInterface>> interfaces;
    std::deque<ScriptedTransfer> transfers;     // shared by both directions, in order
    std::vector<std::vector<uint8_t>> sent;     // buffers handed to SetFeature
    std::vector<std::vector<uint8_t>> fetched;  // buffers handed to GetFeature (as handed)
    int enumerations = 0;
    int opens = 0;
    int closes = 0;
};

class ScriptedHidDevice : public HidDevice {
public:
    ScriptedHidDevice(std::shared_ptr<ScriptedHidState> state, ScriptedInterface props)
        : state_(std::move(state)), props_(props) {}
    ~ScriptedHidDevice() override { ++state_->closes; }

    bool ReadIds(uint16_t& vendorId, uint16_t& productId) override {
        vendorId = props_.vendorId;
        productId = props_.productId;
        return props_.idsReadable;
    }
    bool ReadTopLevelUsage(uint16_t& usagePage, uint16_t& usage) override {
        usagePage = props_.usagePage;
        usage = props_.usage;
        return true;
    }
    bool SetFeature(const uint8_t* report, size_t length) override {
        state_->sent.emplace_back(report, report + length);
        return Next(nullptr, 0);
    }
    bool GetFeature(uint8_t* report, size_t length) override {
        state_->fetched.emplace_back(report, report + length);
        return Next(report, length);
    }
    HidError LastError() const override { return error_; }

private:
    bool Next(uint8_t* report, size_t length) {
        ScriptedTransfer t;
        if (!state_->transfers.empty()) {
            t = state_->transfers.front();
            state_->transfers.pop_front();
        } else {
            t = {false, HidError::Other, {}};  // an unscripted transfer fails
        }
        error_ = t.succeeds ? HidError::None : t.error;
        for (size_t i = 0; report != nullptr && i < length; ++i) {
            report[i] = t.succeeds ? (i < t.reply.size() ? t.reply[i] : 0) : 0xEE;
        }
        return t.succeeds;
    }

    std::shared_ptr<ScriptedHidState> state_;
    ScriptedInterface props_;
    HidError error_ = HidError::None;
};

class ScriptedHid : public HidBackend {
public:
    std::shared_ptr<ScriptedHidState> state = std::make_shared<ScriptedHidState>();

    std::vector<std::string> EnumerateInterfaces() override {
        ++state->enumerations;
        std::vector<std::string> paths;
        for (const auto& [path, props] : state->interfaces) {
            paths.push_back(path);
        }
        return paths;
    }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* failure) override {
        for (const auto& [p, props] : state->interfaces) {
            if (p == path && props.opens) {
                ++state->opens;
                return std::make_unique<ScriptedHidDevice>(state, props);
            }
        }
        if (failure != nullptr) {
            *failure = "cannot be opened";
        }
        return nullptr;
    }
};

}  // namespace vandir::testing
