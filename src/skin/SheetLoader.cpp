#include "skin/SheetLoader.h"

#include <windows.h>
// <windows.h> first.
#include <objbase.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>

#include "skin/SkinImageFile.h"

namespace vandir {

namespace {

// The sheets other sheets are cut against, in slot order: one group each.
std::vector<layout::Sheet> GroupNormals() {
    std::vector<layout::Sheet> normals;
    for (int slot = 1; slot <= static_cast<int>(layout::kSheetCount); ++slot) {
        if (layout::FileOf(layout::SheetInSlot(slot))->normal == layout::Sheet::None) {
            normals.push_back(layout::SheetInSlot(slot));
        }
    }
    return normals;
}

const std::vector<layout::Sheet>& Groups() {
    static const std::vector<layout::Sheet> groups = GroupNormals();
    return groups;
}

// The group a sheet is loaded with: its Normal sheet's.
size_t GroupOf(layout::Sheet sheet) {
    const layout::Sheet normal = layout::FileOf(sheet)->normal;
    const layout::Sheet root = normal == layout::Sheet::None ? sheet : normal;
    const std::vector<layout::Sheet>& groups = Groups();
    return static_cast<size_t>(std::find(groups.begin(), groups.end(), root) - groups.begin());
}

size_t SlotIndex(layout::Sheet sheet) {
    return static_cast<size_t>(layout::SlotOf(sheet) - 1);
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

// The pixels of a sheet file at the display's scale; nothing when the file
// is missing or does not decode. The file is read into spare when it fits.
std::optional<SheetPixels> ReadSheetFile(const std::wstring& path, const SheetScaling& scaling,
                                         ByteBuffer& spare) {
    std::optional<ByteBuffer> file = ReadWholeFile(path, std::move(spare));
    if (!file) {
        return std::nullopt;
    }
    std::optional<SheetPixels> pixels = DecodeImageFile(std::move(*file));
    if (!pixels || !scaling.resamples()) {
        return pixels;
    }
    std::optional<SheetPixels> resampled = ResampleSheet(*pixels, scaling);
    spare = std::move(pixels->storage);
    return resampled;
}

// The pixels of a sheet at the display's scale from the first source that
// has it and decodes; nothing when none has.
std::optional<SheetPixels> ReadSheetPixels(const std::vector<SheetSource>& sources,
                                           layout::Sheet sheet, ByteBuffer& spare) {
    for (const SheetSource& source : sources) {
        std::optional<SheetPixels> pixels =
            ReadSheetFile(SheetFilePath(source.folder, sheet), source.scaling, spare);
        if (pixels) {
            return pixels;
        }
    }
    return std::nullopt;
}

// A sheet that is only cut from, read into spare and kept as the tiles where
// it differs from base; its memory is then the spare for the next one. A
// sheet that tiles would not do for is kept whole.
StoredSheet LoadCutSheet(const std::vector<SheetSource>& sources, layout::Sheet sheet,
                         const std::shared_ptr<SkinBitmap>& base, ByteBuffer& spare) {
    std::optional<SheetPixels> pixels = ReadSheetPixels(sources, sheet, spare);
    if (!pixels) {
        return {};
    }
    if (std::optional<StoredSheet> tiles = StoredSheet::TilesOver(*pixels, base)) {
        spare = std::move(pixels->storage);
        return std::move(*tiles);
    }
    return StoredSheet(SkinBitmap::Make(std::move(*pixels)));
}

}  // namespace

std::wstring SheetFilePath(const std::wstring& folder, layout::Sheet sheet) {
    const layout::SheetFile* file = layout::FileOf(sheet);
    return file == nullptr ? std::wstring() : folder + std::wstring(file->name);
}

SheetLoader::SheetLoader(std::vector<SheetSource> sources, Sheets& sheets)
    : sources_(std::move(sources)), sheets_(sheets), states_(Groups().size(), State::Pending) {
    try {
        worker_ = std::thread([this] {
            const ComApartment com;
            LoadPending();
        });
    } catch (const std::system_error&) {
        // No worker: the callers of WaitFor load every group.
    }
}

SheetLoader::~SheetLoader() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    if (worker_.joinable()) {
        worker_.join();
    }
}

void SheetLoader::WaitFor(layout::Sheet sheet) {
    if (layout::FileOf(sheet) != nullptr) {
        const size_t group = GroupOf(sheet);
        if (group < states_.size()) {
            LoadOrWait(group);
        }
    }
}

void SheetLoader::WaitForAll() {
    for (size_t group = 0; group < states_.size(); ++group) {
        LoadOrWait(group);
    }
    if (worker_.joinable()) {
        worker_.join();
    }
}

bool SheetLoader::Claim(size_t group) {
    const std::lock_guard lock(mutex_);
    if (stopping_ || states_[group] != State::Pending) {
        return false;
    }
    states_[group] = State::Loading;
    return true;
}

void SheetLoader::LoadOrWait(size_t group) {
    if (Claim(group)) {
        Load(group, callerSpare_);
        return;
    }
    std::unique_lock lock(mutex_);
    groupDone_.wait(lock, [&] { return states_[group] == State::Done; });
}

void SheetLoader::LoadPending() noexcept {
    for (size_t group = 0; group < states_.size(); ++group) {
        if (Claim(group)) {
            Load(group, workerSpare_);
        }
    }
}

void SheetLoader::Load(size_t group, ByteBuffer& spare) noexcept {
    const layout::Sheet normal = Groups()[group];
    try {
        ByteBuffer fresh;  // a sheet drawn whole keeps its own memory
        std::optional<SheetPixels> basePixels = ReadSheetPixels(sources_, normal, fresh);
        std::shared_ptr<SkinBitmap> base =
            basePixels ? SkinBitmap::Make(std::move(*basePixels)) : nullptr;
        sheets_[SlotIndex(normal)] = StoredSheet(base);
        for (int slot = 1; slot <= static_cast<int>(layout::kSheetCount); ++slot) {
            const layout::Sheet sheet = layout::SheetInSlot(slot);
            if (layout::FileOf(sheet)->normal == normal) {
                sheets_[SlotIndex(sheet)] = LoadCutSheet(sources_, sheet, base, spare);
            }
        }
    } catch (const std::exception&) {
        // Out of memory: the sheets not loaded stay empty, as unreadable
        // files would.
    }
    {
        const std::lock_guard lock(mutex_);
        states_[group] = State::Done;
    }
    groupDone_.notify_all();
}

}  // namespace vandir
