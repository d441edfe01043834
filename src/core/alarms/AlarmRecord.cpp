#include "core/alarms/AlarmRecord.h"

#include "core/base/LittleEndian.h"
#include "core/base/NumberText.h"
#include "core/base/OleDate.h"
#include "core/base/TextField.h"

#include <stdexcept>

namespace domora {
namespace {

// Offsets of the fields.
constexpr std::size_t kHour = 0;
constexpr std::size_t kMinute = 1;
constexpr std::size_t kUseDate = 2;
constexpr std::size_t kAlarmDate = 8;
constexpr std::size_t kWeekdays = 16;
constexpr std::size_t kRecurrence = 23;
constexpr std::size_t kRepeat = kAlarmRepeatOffset;
constexpr std::size_t kTextMessage = 235;
constexpr std::size_t kPictureMessage = 236;
constexpr std::size_t kTextFile = 237;
constexpr std::size_t kPictureFile = 438;
constexpr std::size_t kBuiltinSound = 539;
constexpr std::size_t kBuiltinName = 540;
constexpr std::size_t kMp3Sound = 548;
constexpr std::size_t kMp3File = 549;
constexpr std::size_t kWavSound = 650;
constexpr std::size_t kWavFile = 651;
constexpr std::size_t kNoSound = 752;
constexpr std::size_t kSwitchedOn = kAlarmSwitchedOnOffset;

int SignedByte(std::uint8_t b) {
    return static_cast<std::int8_t>(b);
}

} // namespace

AlarmRecord DecodeAlarm(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kAlarmRecordSize) {
        throw std::invalid_argument("an alarm record is 760 bytes");
    }
    const auto flag = [&](std::size_t offset) { return bytes[offset] != 0; };
    const auto text = [&](std::size_t offset, std::size_t capacity) {
        return ReadTextField(bytes, offset, capacity);
    };
    AlarmRecord r;
    r.Hour = SignedByte(bytes[kHour]);
    r.Minute = SignedByte(bytes[kMinute]);
    r.UseDate = flag(kUseDate);
    r.AlarmDate = ReadDoubleLE(bytes, kAlarmDate);
    for (std::size_t i = 0; i < r.Weekdays.size(); ++i) {
        r.Weekdays[i] = flag(kWeekdays + i);
    }
    r.Recurrence = text(kRecurrence, kRecurrenceChars);
    r.Repeat = text(kRepeat, kRepeatChars);
    r.TextMessage = flag(kTextMessage);
    r.PictureMessage = flag(kPictureMessage);
    r.TextFile = text(kTextFile, kTextFileChars);
    r.PictureFile = text(kPictureFile, kPictureFileChars);
    r.BuiltinSound = flag(kBuiltinSound);
    r.BuiltinName = text(kBuiltinName, kBuiltinNameChars);
    r.Mp3Sound = flag(kMp3Sound);
    r.Mp3File = text(kMp3File, kMp3FileChars);
    r.WavSound = flag(kWavSound);
    r.WavFile = text(kWavFile, kWavFileChars);
    r.NoSound = flag(kNoSound);
    r.SwitchedOn = flag(kSwitchedOn);
    return r;
}

std::vector<std::uint8_t> EncodeAlarm(const AlarmRecord& r) {
    std::vector<std::uint8_t> bytes(kAlarmRecordSize, 0);
    const auto flag = [&](std::size_t offset, bool value) { bytes[offset] = value ? 1 : 0; };
    const auto text = [&](std::size_t offset, std::size_t capacity, const std::string& value) {
        WriteTextField(bytes, offset, capacity, value);
    };
    bytes[kHour] = static_cast<std::uint8_t>(r.Hour);
    bytes[kMinute] = static_cast<std::uint8_t>(r.Minute);
    flag(kUseDate, r.UseDate);
    WriteDoubleLE(bytes, kAlarmDate, r.AlarmDate);
    for (std::size_t i = 0; i < r.Weekdays.size(); ++i) {
        flag(kWeekdays + i, r.Weekdays[i]);
    }
    text(kRecurrence, kRecurrenceChars, r.Recurrence);
    text(kRepeat, kRepeatChars, r.Repeat);
    flag(kTextMessage, r.TextMessage);
    flag(kPictureMessage, r.PictureMessage);
    text(kTextFile, kTextFileChars, r.TextFile);
    text(kPictureFile, kPictureFileChars, r.PictureFile);
    flag(kBuiltinSound, r.BuiltinSound);
    text(kBuiltinName, kBuiltinNameChars, r.BuiltinName);
    flag(kMp3Sound, r.Mp3Sound);
    text(kMp3File, kMp3FileChars, r.Mp3File);
    flag(kWavSound, r.WavSound);
    text(kWavFile, kWavFileChars, r.WavFile);
    flag(kNoSound, r.NoSound);
    flag(kSwitchedOn, r.SwitchedOn);
    return bytes;
}

RepeatStep StepOfRepeat(std::string_view repeat, int delta) {
    const auto count = ParseInt32(repeat);
    if (!count) {
        return {};
    }
    if (*count <= 1) {
        return {RepeatStep::Kind::SwitchOff, {}};
    }
    return {RepeatStep::Kind::Count, std::to_string(static_cast<std::int64_t>(*count) + delta)};
}

AlarmRecord DefaultAlarm(const DateTime& today) {
    AlarmRecord r;
    r.AlarmDate = OleDateOnly(today.year, today.month, today.day);
    r.Recurrence = std::string(kRecurrenceAlways);
    r.Repeat = std::string(kRepeatUnlimited);
    r.TextMessage = true;
    r.BuiltinSound = true;
    r.BuiltinName = "Бип-Бип";
    return r;
}

} // namespace domora
