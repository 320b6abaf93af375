#include "app/Notices.h"

#include "pages/PopDlg.h"
#include "platform/win32/WideText.h"
#include "skin/layout/WindowTitle.h"

namespace vandir {
namespace {

// A failed save: followed by the file's path and the system's reason.
constexpr wchar_t kSaveFailedText[] =
    L"Your settings could not be saved for the next start. The profile file stays as it "
    L"was:\n\n";
// The mouse is there but did not take an Apply; between the two parts the
// words for what failed ("it stayed busy").
constexpr wchar_t kWriteRefusedText[] = L"The Vandir II did not take your settings: ";
constexpr wchar_t kWriteRefusedFollowUp[] =
    L".\n\nYour settings are saved and will be sent to the mouse again when the program next "
    L"finds it.";

}  // namespace

std::wstring NoticeText(const Notice& notice) {
    switch (notice.kind) {
        case Notice::Kind::WriteRefused:
            return kWriteRefusedText + ToWide(notice.what) + kWriteRefusedFollowUp;
        case Notice::Kind::SaveFailed:
            return kSaveFailedText + ToWide(notice.what) + L"\n\n" + ToWide(notice.reason);
        case Notice::Kind::NoMouse:
            break;
    }
    return {};
}

void TellPerson(const Notice& notice, CWnd* owner, SkinContext& skin,
                const ShowMessage& showMessage) {
    if (notice.kind == Notice::Kind::NoMouse) {
        CPopDlg popUp(CPopDlg::kNoMouse, skin, owner);
        popUp.DoModal();
        return;
    }
    showMessage(NoticeText(notice), kMainWindowTitle, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace vandir
