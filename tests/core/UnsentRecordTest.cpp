// The record the mouse has not taken yet, kept beside the profile.

#include <gtest/gtest.h>

#include "control/UnsentRecord.h"
#include "device/ConfigImage.h"
#include "storage/Profile.h"
#include "core/FakeFileSystem.h"
#include "core/SampleRecords.h"

namespace vandir::testing {
namespace {

constexpr char16_t kProfile[] = u"C:\\AppData\\Meridane\\Vandir II\\Profiles\\DefaultPf.profile";

TEST(UnsentRecord, KeepsEveryFieldBesideTheProfileAndLeavesTheProfileAlone) {
    FakeFileSystem files;
    const MouseSettings record = EveryFieldChanged(kProfile);
    ASSERT_TRUE(KeepUnsentRecord(record, files));
    EXPECT_EQ(UnsentRecordPath(kProfile), std::u16string(kProfile) + u".unsent");
    EXPECT_EQ(files.files.count(kProfile), 0u);
    const std::optional<MouseSettings> loaded = LoadUnsentRecord(kProfile, files);
    ASSERT_TRUE(loaded.has_value());
    // All the mouse is given of it (the button response and the active level
    // too, which the profile does not keep), and what only the system and the
    // program use.
    EXPECT_EQ(EncodeConfigImage(*loaded), EncodeConfigImage(record));
    EXPECT_EQ(loaded->profileIndex, record.profileIndex);
    EXPECT_EQ(loaded->pointerSpeed, record.pointerSpeed);
    EXPECT_EQ(loaded->doubleClickSpeed, record.doubleClickSpeed);
    EXPECT_EQ(loaded->osSettingsUnlocked, record.osSettingsUnlocked);
    EXPECT_EQ(loaded->autoStart, record.autoStart);
    EXPECT_EQ(loaded->language, record.language);
    EXPECT_EQ(loaded->profileName, record.profileName);
    EXPECT_EQ(loaded->profilePath, kProfile);
}

TEST(UnsentRecord, NoneOrADamagedOneGivesNothingAndTheDamagedFileStays) {
    FakeFileSystem files;
    EXPECT_FALSE(LoadUnsentRecord(kProfile, files).has_value());
    ASSERT_TRUE(KeepUnsentRecord(EveryFieldChanged(kProfile), files));
    std::vector<uint8_t>& bytes = files.files[UnsentRecordPath(kProfile)];
    bytes.resize(bytes.size() / 2);
    EXPECT_FALSE(LoadUnsentRecord(kProfile, files).has_value());
    EXPECT_EQ(files.files.count(UnsentRecordPath(kProfile)), 1u);
}

TEST(UnsentRecord, ForgettingRemovesItAndAFailedKeepSaysWhy) {
    FakeFileSystem files;
    ASSERT_TRUE(KeepUnsentRecord(EveryFieldChanged(kProfile), files));
    EXPECT_TRUE(ForgetUnsentRecord(kProfile, files));
    EXPECT_FALSE(LoadUnsentRecord(kProfile, files).has_value());
    EXPECT_TRUE(ForgetUnsentRecord(kProfile, files));
    files.failWrites = true;
    std::u16string reason;
    EXPECT_FALSE(KeepUnsentRecord(EveryFieldChanged(kProfile), files, &reason));
    EXPECT_EQ(reason, u"Access is denied.");
}

}  // namespace
}  // namespace vandir::testing
