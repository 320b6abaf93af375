// The configuration image as the mouse sends it, decoded into the record and
// shown on every button's selector, as the program does when it reads the
// mouse. The input is the 128-byte image (shorter input is padded with
// zeros); bytes after it, when they form a profile, are the record the image
// is decoded into (the program reads the mouse after loading the profile).
//
// Properties: unpacking and packing keep exactly the bytes the image carries;
// decoding changes only the fields read back from the mouse and is
// idempotent; the image sent for a decoded record decodes to a record that
// sends the same image (and, over the start-up record, to the same record
// but for the active level, which comes from the LED level); every button
// shows a function of the list, and collecting and pushing it again keeps
// that function.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "device/ConfigImage.h"
#include "model/FunctionCatalogue.h"
#include "model/FunctionSelection.h"
#include "storage/Profile.h"

namespace {

using namespace vandir;
using vandir::fuzz::Check;

// Bytes of the image that a DeviceConfig field carries; the others are
// ignored on reading and 0 on writing.
bool IsCarried(size_t at) {
    return at <= 5 || (at >= 8 && at <= 11) || (at >= 15 && at <= 32) || (at >= 35 && at <= 51) ||
           (at >= 55 && at <= 103);
}

// The record without the fields that decoding takes from the mouse.
MouseSettings WithoutDecodedFields(MouseSettings s) {
    s.reportRate = 0;
    s.ledColour = 0;
    s.ledMode = 0;
    for (LevelLed& led : s.levelLeds) {
        led.colour = 0;
        led.mode = 0;
        led.levelNumber = 0;
    }
    s.activeLevel = 0;
    s.dpiLevelCount = 0;
    s.dpi = {};
    s.liftOff = 0;
    s.buttonResponse = 0;
    for (ButtonAssignment& b : s.buttons) {
        b.kind = 0;
        b.code = 0;
        b.param1 = 0;
        b.param2 = 0;
    }
    return s;
}

void CheckPacking(const ConfigImage& image) {
    const ConfigImage repacked = PackConfigImage(UnpackConfigImage(image));
    for (size_t at = 0; at < kConfigImageSize; ++at) {
        Check(repacked[at] == (IsCarried(at) ? image[at] : 0),
              "packing an unpacked image keeps exactly the carried bytes");
    }
}

void CheckDecoding(const ConfigImage& image, const MouseSettings& before, bool fromStartup) {
    MouseSettings decoded = before;
    DecodeConfigImage(image, decoded);
    Check(WithoutDecodedFields(decoded) == WithoutDecodedFields(before),
          "decoding changes only the fields read back from the mouse");
    MouseSettings again = decoded;
    DecodeConfigImage(image, again);
    Check(again == decoded, "decoding the same image twice changes nothing more");

    const ConfigImage sent = EncodeConfigImage(decoded);
    MouseSettings redecoded = decoded;
    DecodeConfigImage(sent, redecoded);
    Check(EncodeConfigImage(redecoded) == sent, "a sent image decodes to a record that sends it");
    if (fromStartup) {
        MouseSettings expected = decoded;
        expected.activeLevel = decoded.ledLevel;
        Check(redecoded == expected, "decode, encode, decode is stable over the start-up record");
    }
}

// What the key assignment page does with each button of the decoded record.
void CheckShowingEveryButton(const MouseSettings& decoded) {
    for (int i = 0; i < kButtons; ++i) {
        const ButtonAssignment& stored = decoded.buttons[static_cast<size_t>(i)];
        FunctionSelection shown;
        ShowFunction(stored, shown);
        const auto listText = FunctionListText(shown.functionId);
        Check(listText.has_value(), "every button shows a function of the list");
        const bool composed = stored.kind == kKindKeyboard ||
                              (stored.kind == kKindRapidFire &&
                               (stored.code == kRapidFireMouse || stored.code == kRapidFireKey));
        Check(composed || shown.caption == *listText,
              "a button that is neither keyboard nor rapid fire shows its list text");

        ButtonAssignment collected = stored;
        StoreFunction(shown, i, collected);
        FunctionSelection pushed = shown;
        ShowFunction(collected, pushed);
        Check(pushed.functionId == shown.functionId,
              "collecting and pushing a button keeps its function");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ConfigImage image{};
    std::copy_n(data, std::min(size, kConfigImageSize), image.begin());
    CheckPacking(image);

    const MouseSettings startup = MouseSettings::ForStartup(u"DefaultPf.profile");
    CheckDecoding(image, startup, true);
    MouseSettings decoded = startup;
    DecodeConfigImage(image, decoded);
    CheckShowingEveryButton(decoded);

    if (size > kConfigImageSize) {
        DataStream profile(std::vector<uint8_t>(data + kConfigImageSize, data + size));
        MouseSettings loaded = startup;
        if (ReadProfile(profile, loaded) == ProfileLoadResult::Loaded) {
            CheckDecoding(image, loaded, false);
            DecodeConfigImage(image, loaded);
            CheckShowingEveryButton(loaded);
        }
    }
    return 0;
}
