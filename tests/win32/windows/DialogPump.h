#pragma once
// Driving a dialog's messages from a test as its modal loop would: a pump that
// gives every message to the pre-translation chain and the dialog manager
// first, and steps that run from inside a real modal loop (DoModal) on a
// thread timer. Both wait for what input causes by polling, never by sleeping
// a fixed time.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "platform/win32/framework/Dialog.h"
#include "win32/ui/MessagePump.h"

namespace vandir {

// Dispatches messages as the modal loop of dialog does (the loop's own step)
// until done() holds or the timeout passes.
inline bool PumpDialogUntil(const CWnd& dialog, const std::function<bool()>& done,
                            DWORD timeoutMs = kPumpTimeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            CDialogEx::ProcessModalMessage(msg, dialog);
        }
        if (done()) {
            return true;
        }
        if (::GetTickCount64() >= deadline) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Steps run inside the modal loop of the thread, one after the other: a
// thread timer asks the current step whether it is ready and, once it is,
// runs it and goes on to the next. A step that is not ready within the
// timeout makes giveUp run (it should end the dialog) and stops the steps.
// One object at a time per process.
class ModalSteps {
public:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> run;
    };

    static constexpr UINT kPollMilliseconds = 10;

    ModalSteps(std::vector<Step> steps, std::function<void()> giveUp,
               DWORD timeoutMs = kPumpTimeoutMs)
        : steps_(std::move(steps)), giveUp_(std::move(giveUp)), timeoutMs_(timeoutMs) {
        active_ = this;
        deadline_ = ::GetTickCount64() + timeoutMs_;
        timer_ = ::SetTimer(nullptr, 0, kPollMilliseconds, &ModalSteps::Tick);
    }
    ~ModalSteps() {
        Stop();
        active_ = nullptr;
    }
    ModalSteps(const ModalSteps&) = delete;
    ModalSteps& operator=(const ModalSteps&) = delete;

    // Every step ran.
    bool finished() const { return next_ == steps_.size(); }
    bool gaveUp() const { return gaveUp_; }
    // How many steps ran: after giving up, the index of the one never ready.
    std::size_t stepsRun() const { return next_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (active_ != nullptr) {
            active_->Advance();
        }
    }

    void Advance() {
        while (!finished() && steps_[next_].ready()) {
            Step& step = steps_[next_++];
            deadline_ = ::GetTickCount64() + timeoutMs_;
            step.run();
        }
        if (finished()) {
            Stop();
        } else if (::GetTickCount64() >= deadline_) {
            Stop();
            gaveUp_ = true;
            giveUp_();
        }
    }

    void Stop() {
        if (timer_ != 0) {
            ::KillTimer(nullptr, timer_);
            timer_ = 0;
        }
    }

    static inline ModalSteps* active_ = nullptr;
    std::vector<Step> steps_;
    std::function<void()> giveUp_;
    DWORD timeoutMs_;
    std::size_t next_ = 0;
    ULONGLONG deadline_ = 0;
    UINT_PTR timer_ = 0;
    bool gaveUp_ = false;
};

}  // namespace vandir
