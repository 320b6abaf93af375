#pragma once
// What the window tests do to the dialogs they open: show one above
// everything and bring it to the foreground (OnTop.h), run a script right
// after its set-up, and end a modal run that nothing else ended (a script
// posts kGiveUpMessage last; ScriptedDialog passes it to EndsOnGiveUp).

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "platform/win32/framework/Dialog.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/OnTop.h"
#include "win32/windows/DialogPump.h"

namespace vandir {

// Posted last by a script: ends a modal run with kGaveUp.
inline constexpr UINT kGiveUpMessage = WM_APP + 99;
inline constexpr int kGaveUp = -77;

// For a test dialog's PreTranslateMessage: ends the dialog on kGiveUpMessage
// and tells that the message is taken.
inline bool EndsOnGiveUp(CDialogEx& dialog, const MSG& message) {
    if (message.message != kGiveUpMessage) {
        return false;
    }
    dialog.EndDialog(kGaveUp);
    return true;
}

// A test dialog over Base (Self the class made from it): runs the script
// afterSetUp right after Base's set-up, so that what the script posts is
// handled by the modal loop, and ends on kGiveUpMessage.
template <class Base, class Self>
class ScriptedDialog : public Base {
public:
    using Base::Base;

    std::function<void(Self&)> afterSetUp;

    HWND Field(int id) const { return this->GetDlgItem(id); }
    std::wstring FieldText(int id) const {
        wchar_t text[64]{};
        ::GetWindowTextW(Field(id), text, 64);
        return text;
    }

protected:
    BOOL OnInitDialog() override {
        const BOOL result = Base::OnInitDialog();
        if (afterSetUp) {
            afterSetUp(static_cast<Self&>(*this));
        }
        return result;
    }
    BOOL PreTranslateMessage(MSG* message) override {
        if (EndsOnGiveUp(*this, *message)) {
            return TRUE;
        }
        return Base::PreTranslateMessage(message);
    }
};

// Brings the window to the foreground while the modal loop of loop runs (its
// messages pumped as that loop does), so that real keys reach the window.
inline ::testing::AssertionResult ToForeground(HWND window, const CWnd& loop) {
    if (!PumpDialogUntil(loop, [&] { return BringToForeground(window); })) {
        return ::testing::AssertionFailure() << "the window did not come to the foreground";
    }
    return ::testing::AssertionSuccess();
}

// Creates a test dialog modeless (from template templateId) and shows it
// above everything.
template <class Dialog>
::testing::AssertionResult OpenOnTop(Dialog& dialog, int templateId) {
    if (!dialog.Create()) {
        return ::testing::AssertionFailure() << "no dialog from template " << templateId;
    }
    ShowOnTop(dialog);
    return ::testing::AssertionSuccess();
}

// Clicks a dialog's button as the user would (WM_COMMAND, BN_CLICKED).
inline void ClickButton(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Closes, from inside whatever modal loop runs meanwhile, the visible windows
// of this thread that match: a thread timer looks for one every 20 ms and
// closes the first it finds. Counts the windows it closed. One object at a
// time per process.
class ModalCloser {
public:
    ModalCloser(std::function<bool(HWND)> matches, std::function<void(HWND)> close)
        : matches_(std::move(matches)), close_(std::move(close)) {
        active_ = this;
        timer_ = ::SetTimer(nullptr, 0, 20, &ModalCloser::Tick);
    }
    ~ModalCloser() {
        ::KillTimer(nullptr, timer_);
        active_ = nullptr;
    }
    ModalCloser(const ModalCloser&) = delete;
    ModalCloser& operator=(const ModalCloser&) = delete;

    int closed() const { return closed_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (active_ != nullptr) {
            ::EnumThreadWindows(::GetCurrentThreadId(), &ModalCloser::CloseIfMatching, 0);
        }
    }
    static BOOL CALLBACK CloseIfMatching(HWND window, LPARAM) {
        ModalCloser& self = *active_;
        if (!::IsWindowVisible(window) || !self.matches_(window)) {
            return TRUE;
        }
        ++self.closed_;
        self.close_(window);
        return FALSE;
    }

    static inline ModalCloser* active_ = nullptr;
    std::function<bool(HWND)> matches_;
    std::function<void(HWND)> close_;
    int closed_ = 0;
    UINT_PTR timer_ = 0;
};

}  // namespace vandir
