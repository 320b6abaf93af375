#include "skin/SheetLoader.h"

#include <windows.h>
// <windows.h> first.
#include <objbase.h>

#include <algorithm>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include "skin/SkinImageFile.h"

namespace vandir {

namespace {

// The sheets other sheets are cut against: one group each. The PNG groups go
// first, as GDI+ takes longest over them: started first, they are not left
// for last on one thread while the other waits.
std::vector<layout::Sheet> GroupNormals() {
    std::vector<layout::Sheet> normals;
    for (int slot = 1; slot <= static_cast<int>(layout::kSheetCount); ++slot) {
        if (layout::FileOf(layout::SheetInSlot(slot))->normal == layout::Sheet::None) {
            normals.push_back(layout::SheetInSlot(slot));
        }
    }
    std::stable_partition(normals.begin(), normals.end(), [](layout::Sheet sheet) {
        return layout::FileOf(sheet)->format == layout::SheetFormat::PngWithAlpha;
    });
    return normals;
}

const std::vector<layout::Sheet>& Groups() {
    static const std::vector<layout::Sheet> groups = GroupNormals();
    return groups;
}

// COM for the worker thread, as GDI+'s decoders may expect on any thread.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    ~ComApartment() {
        if (initialised_) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

}  // namespace

std::wstring SheetFilePath(const std::wstring& folder, layout::Sheet sheet) {
    const layout::SheetFile* file = layout::FileOf(sheet);
    return file == nullptr ? std::wstring() : folder + std::wstring(file->name);
}

SheetLoader::SheetLoader(std::wstring folder) : folder_(std::move(folder)) {
    Groups();  // made before two threads can ask for it
    try {
        worker_ = std::thread([this] {
            const ComApartment com;
            LoadGroups();
        });
    } catch (const std::system_error&) {
        // No worker: Finish loads every group.
    }
}

SheetLoader::~SheetLoader() {
    stopping_ = true;
    if (worker_.joinable()) {
        worker_.join();
    }
}

SheetLoader::Sheets SheetLoader::Finish() {
    LoadGroups();
    if (worker_.joinable()) {
        worker_.join();
    }
    return std::move(sheets_);
}

void SheetLoader::LoadGroups() noexcept {
    const std::vector<layout::Sheet>& groups = Groups();
    while (!stopping_) {
        const size_t group = nextGroup_++;
        if (group >= groups.size()) {
            return;
        }
        LoadGroup(groups[group]);
    }
}

void SheetLoader::LoadGroup(layout::Sheet normal) noexcept {
    const auto slotIndex = [](layout::Sheet sheet) {
        return static_cast<size_t>(layout::SlotOf(sheet) - 1);
    };
    try {
        std::shared_ptr<SkinBitmap> base = LoadSkinImage(SheetFilePath(folder_, normal));
        sheets_[slotIndex(normal)] = StoredSheet(base);
        for (int slot = 1; slot <= static_cast<int>(layout::kSheetCount); ++slot) {
            const layout::Sheet sheet = layout::SheetInSlot(slot);
            if (layout::FileOf(sheet)->normal == normal) {
                sheets_[slotIndex(sheet)] =
                    StoredSheet::OverBase(LoadSkinImage(SheetFilePath(folder_, sheet)), base);
            }
        }
    } catch (const std::exception&) {
        // Out of memory: the sheets not loaded stay empty, as unreadable
        // files would.
    }
}

}  // namespace vandir
