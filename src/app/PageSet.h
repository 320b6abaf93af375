#pragma once
// The main window's six pages: every page object exists from the start, so
// that no message finds one missing; a page's window is built when it is first
// needed, or one at a time in idle time. The pages are visited in the orders
// the design gives: member order for pushes and collects, its own order for
// the language, the creation order for building.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "model/MouseSettings.h"
#include "pages/KivPage.h"
#include "pages/PageHost.h"
#include "skin/SkinContext.h"
#include "storage/SystemIntegration.h"

namespace vandir {

class PageSet {
public:
    // Every page, in member order.
    static constexpr std::array kMemberOrder{PageId::KeyAssignment, PageId::OsSensitivity,
                                             PageId::Sensor,        PageId::Led,
                                             PageId::Support,       PageId::Language};

    // afterBuild gives a page whose window was just built its place, the
    // record and the language. mouseLink answers the version pop-up's question
    // whether the mouse is there without waiting for it.
    PageSet(SkinContext& skin, PageHost& host, SystemIntegration& system, CWnd* parent,
            std::function<bool()> mouseLink, std::function<void(CKivPage&)> afterBuild);

    // The page object, whether or not its window exists yet.
    CKivPage& object(PageId id) const;
    // The page, its window built first when it was not yet.
    CKivPage& built(PageId id);
    bool IsBuilt(PageId id) const { return object(id).GetSafeHwnd() != nullptr; }
    bool AllBuilt() const;
    // Builds the next page in the creation order; false when none was left.
    bool BuildNext();

    // Built pages only: the others take the record and the language when built.
    void PushToBuilt(const MouseSettings& record);
    void CollectBuilt(MouseSettings& target) const;
    void ApplyLanguageToBuilt(int language);
    void ForEachBuilt(const std::function<void(CKivPage&)>& visit) const;

    void SetFirmwareVersion(uint16_t version);
    void CloseLists();
    // A built page whose pop-up lists are not made yet.
    CKivPage* WithoutLists() const;

private:
    void Build(CKivPage& page);

    std::function<void(CKivPage&)> afterBuild_;
    CWnd* parent_;
    std::unique_ptr<CKivPage> keyAssignment_;
    std::unique_ptr<CKivPage> osSensitivity_;
    std::unique_ptr<CKivPage> sensor_;
    std::unique_ptr<CKivPage> led_;
    std::unique_ptr<CKivPage> support_;
    std::unique_ptr<CKivPage> language_;
};

}  // namespace vandir
