#include "device/Transport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>

#include "RecordingClock.h"
#include "ScriptedHid.h"

namespace vandir {
namespace {

using testing::RecordingClock;
using testing::ScriptedHid;
using testing::ScriptedInterface;
using testing::ScriptedTransfer;
using Bytes = std::vector<uint8_t>;

ScriptedTransfer Fails(HidError error) {
    return {false, error, {}};
}
ScriptedTransfer Replies(uint8_t status) {
    return {true, HidError::None, {0xA1, status, 0x55}};
}

class TransportTest : public ::testing::Test {
protected:
    void Connect(std::vector<std::pair<std::string, ScriptedInterface>> interfaces = {
                     {"mouse", ScriptedInterface{}}}) {
        hid_.state->interfaces = std::move(interfaces);
        ASSERT_EQ(transport_.Discover(), 1);
    }
    void Script(std::initializer_list<ScriptedTransfer> transfers) {
        hid_.state->transfers.assign(transfers.begin(), transfers.end());
    }

    ScriptedHid hid_;
    RecordingClock clock_;
    Transport transport_{hid_, clock_};
};

TEST_F(TransportTest, DiscoverKeepsTheFirstInterfaceMatchingAllFourProperties) {
    ScriptedInterface pointer;  // the mouse's pointer collection
    pointer.usagePage = 0xFF00;
    ScriptedInterface otherProduct;
    otherProduct.productId = 0x002C;
    ScriptedInterface otherUsage;
    otherUsage.usage = 1;
    ScriptedInterface locked;
    locked.opens = false;
    ScriptedInterface mute;
    mute.idsReadable = false;
    hid_.state->interfaces = {{"locked", locked},
                              {"mute", mute},
                              {"other-product", otherProduct},
                              {"pointer", pointer},
                              {"other-usage", otherUsage},
                              {"vendor", ScriptedInterface{}},
                              {"second-vendor", ScriptedInterface{}}};

    EXPECT_EQ(transport_.Discover(), 1);
    EXPECT_TRUE(transport_.IsPresent());
    EXPECT_EQ(transport_.DevicePath(), "vendor");
    // Every interface opened on the way was closed again; the kept one stays open.
    EXPECT_EQ(hid_.state->opens, 5);
    EXPECT_EQ(hid_.state->closes, 4);
}

TEST_F(TransportTest, DiscoverWithoutTheMouseFindsNothingAndKeepsNothingOpen) {
    ScriptedInterface keyboard{0x046D, 0xC31C, 0x0001, 6};
    hid_.state->interfaces = {{"keyboard", keyboard}};
    EXPECT_EQ(transport_.Discover(), 0);
    EXPECT_FALSE(transport_.IsPresent());
    EXPECT_EQ(hid_.state->opens, hid_.state->closes);
    EXPECT_EQ(transport_.DevicePath(), "");
}

TEST_F(TransportTest, EnsureOpenDoesNotTouchDevicesWhilePresent) {
    Connect();
    EXPECT_EQ(hid_.state->enumerations, 1);
    EXPECT_EQ(transport_.EnsureOpen(), 1);
    EXPECT_EQ(hid_.state->enumerations, 1);

    transport_.Close();
    EXPECT_EQ(transport_.EnsureOpen(), 1);  // discovers again
    EXPECT_EQ(hid_.state->enumerations, 2);
}

// A thread that must not wait (the window's) asks without waiting: while
// another thread holds the transport for a command, the answer is 0 at once.
// Another thread holding the transport, as a command running elsewhere does,
// until Release.
class HeldElsewhere {
public:
    explicit HeldElsewhere(Transport& transport) {
        std::promise<void> held;
        holder_ = std::async(std::launch::async, [&] {
            const auto lock = transport.Lock();
            held.set_value();
            release_.get_future().wait();
        });
        held.get_future().wait();
    }
    ~HeldElsewhere() { Release(); }
    void Release() {
        if (holder_.valid()) {
            release_.set_value();
            holder_.get();
        }
    }

private:
    std::promise<void> release_;
    std::future<void> holder_;
};

TEST_F(TransportTest, TryEnsureOpenNeverWaitsForACommandElsewhere) {
    Connect();
    transport_.Close();
    HeldElsewhere command(transport_);
    EXPECT_EQ(transport_.TryEnsureOpen(), 0);
    EXPECT_EQ(hid_.state->enumerations, 1) << "it did not look while the transport was held";
    command.Release();
    EXPECT_EQ(transport_.TryEnsureOpen(), 1);  // free again: it discovers
    EXPECT_EQ(hid_.state->enumerations, 2);
}

TEST_F(TransportTest, MarkGoneClearsThePresentFlagWhileACommandHoldsTheTransport) {
    Connect();
    HeldElsewhere command(transport_);
    transport_.MarkGone();
    EXPECT_FALSE(transport_.IsPresent());
    command.Release();
    EXPECT_EQ(transport_.Close(), 1);
    EXPECT_EQ(transport_.DevicePath(), "");
}

TEST_F(TransportTest, CloseAlwaysSucceedsAndClearsThePresentFlag) {
    EXPECT_EQ(transport_.Close(), 1);  // nothing open
    EXPECT_FALSE(transport_.IsPresent());
    Connect();
    EXPECT_EQ(transport_.Close(), 1);
    EXPECT_FALSE(transport_.IsPresent());
    EXPECT_EQ(hid_.state->closes, 1);
    EXPECT_EQ(transport_.DevicePath(), "");
}

TEST_F(TransportTest, WithoutAHandleNothingIsTransferred) {
    Bytes report = {0xA0, 0x02};
    EXPECT_EQ(transport_.SendFeature(report.data(), report.size()), 0);
    EXPECT_EQ(transport_.FetchFeature(report.data(), report.size()), 0);
    EXPECT_TRUE(hid_.state->sent.empty());
    EXPECT_TRUE(hid_.state->fetched.empty());
    EXPECT_TRUE(clock_.waits.empty());
}

TEST_F(TransportTest, SendRetriesOnlyTheRetryableErrors) {
    struct Case {
        const char* name;
        std::vector<ScriptedTransfer> transfers;
        int result;
        size_t transferCount;
        std::vector<uint32_t> waits;
    };
    const Case cases[] = {
        {"succeeds", {Replies(1)}, 1, 1, {}},
        {"other error: no retry", {Fails(HidError::Other)}, 0, 1, {}},
        {"not ready four times",
         {Fails(HidError::NotReady), Fails(HidError::NotReady), Fails(HidError::NotReady),
          Fails(HidError::NotReady)},
         0,
         4,
         {50, 50, 50}},
        {"first retry succeeds", {Fails(HidError::Crc), Replies(1)}, 1, 2, {}},
        {"third retry succeeds",
         {Fails(HidError::WriteFault), Fails(HidError::InvalidParameter),
          Fails(HidError::FunctionFailed), Replies(1)},
         1,
         4,
         {50, 50}},
        {"a retry's other error still retries",
         {Fails(HidError::NotReady), Fails(HidError::Other), Replies(1)},
         1,
         3,
         {50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedHid hid;
        RecordingClock clock;
        Transport transport(hid, clock);
        hid.state->interfaces = {{"mouse", ScriptedInterface{}}};
        ASSERT_EQ(transport.Discover(), 1);
        hid.state->transfers.assign(c.transfers.begin(), c.transfers.end());

        const Bytes original = {0xA0, 0x06, 0x00, 0x1D, 0x0C, 0x00, 0x42};
        Bytes report = original;
        EXPECT_EQ(transport.SendFeature(report.data(), report.size()), c.result);
        EXPECT_EQ(hid.state->sent.size(), c.transferCount);
        EXPECT_EQ(clock.waits, c.waits);
        // Every retry is handed the original request again.
        for (const Bytes& sent : hid.state->sent) {
            EXPECT_EQ(sent, original);
        }
    }
}

TEST_F(TransportTest, FetchReturnsAtOnceForAnyStatusButBusy) {
    Connect();
    Script({Replies(2)});
    Bytes report(64, 0);
    report[0] = 0xA1;
    EXPECT_EQ(transport_.FetchFeature(report.data(), report.size()), 1);
    EXPECT_EQ(report[1], 2);
    EXPECT_EQ(hid_.state->fetched.size(), 1u);
    EXPECT_TRUE(clock_.waits.empty());
}

TEST_F(TransportTest, FetchPollsABusyMouseWithGrowingWaits) {
    Connect();
    Script({Replies(3), Replies(3), Replies(3), Replies(1)});
    Bytes report(64, 0);
    report[0] = 0xA1;
    EXPECT_EQ(transport_.FetchFeature(report.data(), report.size()), 1);
    EXPECT_EQ(report[1], 1);
    EXPECT_EQ(hid_.state->fetched.size(), 4u);
    EXPECT_EQ(clock_.waits, (std::vector<uint32_t>{0, 100}));
    // Each poll starts from the caller's buffer, not from the busy reply.
    for (const Bytes& handed : hid_.state->fetched) {
        EXPECT_EQ(handed[0], 0xA1);
        EXPECT_EQ(handed[1], 0);
    }
}

TEST_F(TransportTest, FetchGivesUpOnAMouseThatStaysBusy) {
    Connect();
    hid_.state->transfers.assign(11, Replies(3));
    Bytes report(64, 0);
    report[0] = 0xA1;
    EXPECT_EQ(transport_.FetchFeature(report.data(), report.size()), 1);
    EXPECT_EQ(report[1], 3);
    EXPECT_EQ(hid_.state->fetched.size(), 11u);
    EXPECT_EQ(clock_.waits,
              (std::vector<uint32_t>{0, 100, 200, 300, 400, 500, 600, 700, 800, 900}));
}

TEST_F(TransportTest, FetchPollsAgainAtOnceAfterAFailedOrOtherPoll) {
    Connect();
    Script({Replies(3), Fails(HidError::Other), Replies(2), Replies(3), Replies(1)});
    Bytes report(64, 0);
    report[0] = 0xA1;
    EXPECT_EQ(transport_.FetchFeature(report.data(), report.size()), 1);
    EXPECT_EQ(report[1], 1);
    EXPECT_EQ(hid_.state->fetched.size(), 5u);
    // The wait of a busy poll grows with the poll's number, whatever came before.
    EXPECT_EQ(clock_.waits, (std::vector<uint32_t>{200}));
}

TEST_F(TransportTest, FetchWhoseLastPollFailsReturnsZero) {
    Connect();
    hid_.state->transfers.assign(10, Replies(3));
    hid_.state->transfers.push_back(Fails(HidError::Other));
    Bytes report(64, 0);
    report[0] = 0xA1;
    EXPECT_EQ(transport_.FetchFeature(report.data(), report.size()), 0);
    EXPECT_EQ(hid_.state->fetched.size(), 11u);
}

TEST_F(TransportTest, FetchRetriesAFailedTransferWithoutTestingTheStatus) {
    Connect();
    Script({Fails(HidError::NotReady), Fails(HidError::NotReady), Replies(3)});
    Bytes report(64, 0);
    report[0] = 0xA1;
    EXPECT_EQ(transport_.FetchFeature(report.data(), report.size()), 1);
    EXPECT_EQ(report[1], 3);  // busy, but no polling after a retry
    EXPECT_EQ(hid_.state->fetched.size(), 3u);
    EXPECT_EQ(clock_.waits, (std::vector<uint32_t>{50}));
    for (const Bytes& handed : hid_.state->fetched) {
        EXPECT_EQ(handed[0], 0xA1) << "the buffer is restored before each retry";
    }
}

TEST_F(TransportTest, FetchThatNeverSucceedsReturnsZero) {
    Connect();
    Script({Fails(HidError::FunctionFailed), Fails(HidError::FunctionFailed),
            Fails(HidError::FunctionFailed), Fails(HidError::FunctionFailed)});
    Bytes report(64, 0);
    report[0] = 0xA1;
    EXPECT_EQ(transport_.FetchFeature(report.data(), report.size()), 0);
    EXPECT_EQ(hid_.state->fetched.size(), 4u);
    EXPECT_EQ(clock_.waits, (std::vector<uint32_t>{50, 50, 50}));
}

// A backend whose transfers stop inside the device until the test releases
// them, so that a command is caught holding the transport.
class BlockingHid : public HidBackend {
public:
    ScriptedHid scripted;
    std::promise<void> entered;  // a transfer has reached the device
    std::promise<void> release;  // lets it go on

    std::vector<std::string> EnumerateInterfaces() override {
        return scripted.EnumerateInterfaces();
    }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* failure) override {
        std::unique_ptr<HidDevice> device = scripted.Open(path, failure);
        return device ? std::make_unique<Device>(*this, std::move(device)) : nullptr;
    }

private:
    class Device : public HidDevice {
    public:
        Device(BlockingHid& owner, std::unique_ptr<HidDevice> inner)
            : owner_(owner), inner_(std::move(inner)) {}
        bool ReadIds(uint16_t& vendorId, uint16_t& productId) override {
            return inner_->ReadIds(vendorId, productId);
        }
        bool ReadTopLevelUsage(uint16_t& usagePage, uint16_t& usage) override {
            return inner_->ReadTopLevelUsage(usagePage, usage);
        }
        bool SetFeature(const uint8_t* report, size_t length) override {
            owner_.entered.set_value();
            owner_.release.get_future().wait();
            return inner_->SetFeature(report, length);
        }
        bool GetFeature(uint8_t* report, size_t length) override {
            return inner_->GetFeature(report, length);
        }
        HidError LastError() const override { return inner_->LastError(); }

    private:
        BlockingHid& owner_;
        std::unique_ptr<HidDevice> inner_;
    };
};

TEST(TransportThreads, ThePresentFlagIsReadWhileACommandHoldsTheTransport) {
    BlockingHid hid;
    hid.scripted.state->interfaces = {{"mouse", ScriptedInterface{}}};
    hid.scripted.state->transfers = {Replies(1)};
    RecordingClock clock;
    Transport transport(hid, clock);
    ASSERT_EQ(transport.Discover(), 1);

    auto command = std::async(std::launch::async, [&] {
        const auto lock = transport.Lock();  // as a device command holds it
        Bytes report(64, 0);
        report[0] = 0xA0;
        return transport.SendFeature(report.data(), report.size());
    });
    hid.entered.get_future().wait();

    auto reader = std::async(std::launch::async, [&] { return transport.IsPresent(); });
    // Bounded only so that a reader stuck behind the lock fails the test
    // instead of hanging it: the command is let go either way.
    const bool readWhileHeld =
        reader.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    hid.release.set_value();
    EXPECT_TRUE(readWhileHeld) << "the reader waited for the command";
    EXPECT_TRUE(reader.get());
    EXPECT_EQ(command.get(), 1);
}

}  // namespace
}  // namespace vandir
