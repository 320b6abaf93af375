#include "app/PageSet.h"

#include <utility>

#include "pages/ColorSettingsDlg.h"
#include "pages/LanguageTip.h"
#include "pages/MouseSettingsDlg.h"
#include "pages/SensorDlg.h"
#include "pages/SupportDlg.h"

namespace vandir {
namespace {

constexpr std::array kLanguageOrder{PageId::Led,    PageId::KeyAssignment, PageId::OsSensitivity,
                                    PageId::Sensor, PageId::Support,       PageId::Language};
constexpr std::array kCreationOrder{PageId::KeyAssignment, PageId::Sensor,   PageId::Led,
                                    PageId::Support,       PageId::Language, PageId::OsSensitivity};

}  // namespace

PageSet::PageSet(SkinContext& skin, PageHost& host, SystemIntegration& system, CWnd* parent,
                 std::function<bool()> mouseLink, std::function<void(CKivPage&)> afterBuild)
    : afterBuild_(std::move(afterBuild)), parent_(parent) {
    sensor_ = std::make_unique<CSensorDlg>(skin, host, parent);
    led_ = std::make_unique<CColorSettingsDlg>(skin, host, parent);
    support_ = std::make_unique<CSupportDlg>(skin, host, system, parent);
    language_ = std::make_unique<CLanguageTip>(skin, host, parent);
    keyAssignment_ = std::make_unique<CMouseSettingsDlg>(CMouseSettingsDlg::Mode::KeyAssignment,
                                                         skin, host, system, parent);
    osSensitivity_ = std::make_unique<CMouseSettingsDlg>(CMouseSettingsDlg::Mode::OsSensitivity,
                                                         skin, host, system, parent);
    for (const PageId id : kMemberOrder) {
        object(id).SetMouseLink(mouseLink);
    }
}

CKivPage& PageSet::object(PageId id) const {
    switch (id) {
        case PageId::KeyAssignment:
            return *keyAssignment_;
        case PageId::OsSensitivity:
            return *osSensitivity_;
        case PageId::Sensor:
            return *sensor_;
        case PageId::Led:
            return *led_;
        case PageId::Support:
            return *support_;
        case PageId::Language:
            break;
    }
    return *language_;
}

void PageSet::Build(CKivPage& page) {
    page.Create(parent_);
    page.ShowWindow(SW_HIDE);
    afterBuild_(page);
}

CKivPage& PageSet::built(PageId id) {
    CKivPage& wanted = object(id);
    if (wanted.GetSafeHwnd() == nullptr) {
        Build(wanted);
    }
    return wanted;
}

bool PageSet::AllBuilt() const {
    for (const PageId id : kMemberOrder) {
        if (!IsBuilt(id)) {
            return false;
        }
    }
    return true;
}

bool PageSet::BuildNext() {
    for (const PageId id : kCreationOrder) {
        if (!IsBuilt(id)) {
            Build(object(id));
            return true;
        }
    }
    return false;
}

void PageSet::ForEachBuilt(const std::function<void(CKivPage&)>& visit) const {
    for (const PageId id : kMemberOrder) {
        if (IsBuilt(id)) {
            visit(object(id));
        }
    }
}

void PageSet::PushToBuilt(const MouseSettings& record) {
    ForEachBuilt([&record](CKivPage& page) { page.PushSettings(record); });
}

void PageSet::CollectBuilt(MouseSettings& target) const {
    ForEachBuilt([&target](CKivPage& page) { page.CollectSettings(target); });
}

void PageSet::ApplyLanguageToBuilt(int language) {
    for (const PageId id : kLanguageOrder) {
        if (IsBuilt(id)) {
            object(id).ApplyLanguage(language);
        }
    }
}

void PageSet::SetFirmwareVersion(uint16_t version) {
    for (const PageId id : kMemberOrder) {
        object(id).SetFirmwareVersion(version);
    }
}

void PageSet::CloseLists() {
    for (const PageId id : kMemberOrder) {
        object(id).CloseLists();
    }
}

CKivPage* PageSet::WithoutLists() const {
    // Only built pages make lists: the others make theirs when built.
    for (const PageId id : kMemberOrder) {
        if (CKivPage& page = object(id); IsBuilt(id) && !page.ListsBuilt()) {
            return &page;
        }
    }
    return nullptr;
}

}  // namespace vandir
