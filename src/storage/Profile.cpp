#include "storage/Profile.h"

#include "storage/FileSystem.h"

namespace vandir {

std::string_view DescribeProfileLoadResult(ProfileLoadResult result) {
    switch (result) {
        case ProfileLoadResult::Loaded:
            return "loaded";
        case ProfileLoadResult::NotOpened:
            return "cannot be opened or read";
        case ProfileLoadResult::WrongMagic:
            return "is not a Vandir II profile (wrong magic)";
        case ProfileLoadResult::Truncated:
            return "is damaged: it ends before its last field";
    }
    return "unknown";
}

DataStream WriteProfile(const MouseSettings& s) {
    DataStream out;
    out.writeUInt32(kProfileMagic);
    out.writeString(s.profileName);
    out.writeUInt32(s.profileNumber);
    out.writeByte(s.profileIndex);
    out.writeUInt16(s.imageLength);
    out.writeByte(s.reportRate);
    out.writeByte(s.pointerSpeed);
    out.writeByte(s.doubleClickSpeed);
    out.writeByte(s.osSettingsUnlocked);
    out.writeByte(s.dpiLevelCount);
    for (int level = 0; level < kDpiLevels; ++level) {
        out.writeByte(s.dpiLevelFlags[level]);
        out.writeUInt16(static_cast<uint16_t>(s.dpi[level].x));
        out.writeUInt16(static_cast<uint16_t>(s.dpi[level].y));
    }
    out.writeByte(s.liftOff);
    out.writeNumberText(static_cast<int32_t>(s.ledColour));
    out.writeByte(s.ledMode);
    out.writeByte(s.ledLevel);
    out.writeByte(s.autoStart);
    out.writeByte(s.language);
    for (const LevelLed& led : s.levelLeds) {
        out.writeByte(led.levelIndex);
        out.writeByte(led.mode);
        out.writeNumberText(static_cast<int32_t>(led.colour));
        out.writeByte(led.levelNumber);
    }
    for (const ButtonAssignment& button : s.buttons) {
        out.writeByte(button.buttonIndex);
        out.writeByte(button.kind);
        out.writeUInt16(static_cast<uint16_t>(button.code));
        out.writeUInt16(static_cast<uint16_t>(button.param1));
        out.writeUInt16(static_cast<uint16_t>(button.param2));
    }
    return out;
}

ProfileLoadResult ReadProfile(DataStream& in, MouseSettings& settings) {
    const uint32_t magic = in.readUInt32();
    if (in.overrun()) {
        return ProfileLoadResult::Truncated;
    }
    if (magic != kProfileMagic) {
        return ProfileLoadResult::WrongMagic;
    }
    // Fields go into a copy first, so a short file changes nothing.
    MouseSettings s = settings;
    s.profileName = in.readString();
    s.profileNumber = in.readUInt32();
    s.profileIndex = in.readByte();
    s.imageLength = in.readUInt16();
    s.reportRate = in.readByte();
    s.pointerSpeed = in.readByte();
    s.doubleClickSpeed = in.readByte();
    s.osSettingsUnlocked = in.readByte();
    s.dpiLevelCount = in.readByte();
    for (int level = 0; level < kDpiLevels; ++level) {
        s.dpiLevelFlags[level] = in.readByte();
        s.dpi[level].x = static_cast<int16_t>(in.readUInt16());
        s.dpi[level].y = static_cast<int16_t>(in.readUInt16());
    }
    s.liftOff = in.readByte();
    s.ledColour = static_cast<uint32_t>(in.readNumberText());
    s.ledMode = in.readByte();
    s.ledLevel = in.readByte();
    s.autoStart = in.readByte();
    s.language = in.readByte();
    for (LevelLed& led : s.levelLeds) {
        led.levelIndex = in.readByte();
        led.mode = in.readByte();
        led.colour = static_cast<uint32_t>(in.readNumberText());
        led.levelNumber = in.readByte();
    }
    for (ButtonAssignment& button : s.buttons) {
        button.buttonIndex = in.readByte();
        button.kind = in.readByte();
        button.code = static_cast<int16_t>(in.readUInt16());
        button.param1 = static_cast<int16_t>(in.readUInt16());
        button.param2 = static_cast<int16_t>(in.readUInt16());
    }
    if (in.overrun()) {
        return ProfileLoadResult::Truncated;
    }
    settings = std::move(s);
    return ProfileLoadResult::Loaded;
}

ProfileLoadResult LoadProfile(MouseSettings& settings, FileSystem& files) {
    DataStream in;
    if (!in.loadFile(settings.profilePath, files)) {
        return ProfileLoadResult::NotOpened;
    }
    return ReadProfile(in, settings);
}

bool SaveProfile(const MouseSettings& settings, FileSystem& files, std::u16string* reason) {
    return WriteProfile(settings).saveFile(settings.profilePath, files, reason);
}

}  // namespace vandir
