#pragma once

#include "core/base/DateTime.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace domora {

// One alarm of the alarm file: a fixed 760-byte record, little-endian, no header.
//
//   0 Hour (signed byte)      1 Minute (signed byte)   2 UseDate      3..7 fill
//   8 AlarmDate (OLE date, 8-byte double)              16..22 Weekdays, Monday first
//  23 Recurrence (text, 200)  224 Repeat (text, 10)    235 TextMessage 236 PictureMessage
// 237 TextFile (text, 200)   438 PictureFile (text, 100)
// 539 BuiltinSound          540 BuiltinName (text, 7)
// 548 Mp3Sound              549 Mp3File (text, 100)
// 650 WavSound              651 WavFile (text, 100)
// 752 NoSound               753 SwitchedOn             754..759 fill
//
// A text field of N characters is one length byte and N bytes of code page 1251 text.
inline constexpr std::size_t kAlarmRecordSize = 760;
// The alarm file holds at most this many alarms; the scheduler keeps one flag for each.
inline constexpr std::size_t kMaxAlarms = 100;

// Where the repeat text and the switch lie, for counting an alarm's repeats without touching
// its other bytes.
inline constexpr std::size_t kAlarmRepeatOffset = 224;
inline constexpr std::size_t kAlarmSwitchedOnOffset = 753;

// Field capacities in characters.
inline constexpr std::size_t kRecurrenceChars = 200;
inline constexpr std::size_t kRepeatChars = 10;
inline constexpr std::size_t kTextFileChars = 200;
inline constexpr std::size_t kPictureFileChars = 100;
inline constexpr std::size_t kBuiltinNameChars = 7;
inline constexpr std::size_t kMp3FileChars = 100;
inline constexpr std::size_t kWavFileChars = 100;
// AddAlarm keeps only this much of the recurrence text, which is the longest rule text.
inline constexpr std::size_t kAddedRecurrenceChars = 28;

// The repeat text of an alarm without a limit.
inline constexpr std::string_view kRepeatUnlimited = "Безконечно";
inline constexpr std::string_view kRecurrenceAlways = "Всегда";

struct AlarmRecord {
    // Hour -1..23 and minute -1..59; both -1 is an alarm without a fixed time. Each is
    // stored as one byte and read back signed, so -1 is stored as 255.
    int Hour = 0;
    int Minute = 0;
    bool UseDate = false;
    // Only the calendar day counts.
    double AlarmDate = 0.0;
    // Monday, Tuesday, ..., Sunday.
    std::array<bool, 7> Weekdays{};
    std::string Recurrence;
    std::string Repeat;
    bool TextMessage = false;
    bool PictureMessage = false;
    std::string TextFile;
    std::string PictureFile;
    bool BuiltinSound = false;
    std::string BuiltinName;
    bool Mp3Sound = false;
    std::string Mp3File;
    bool WavSound = false;
    std::string WavFile;
    bool NoSound = false;
    bool SwitchedOn = false;

    friend bool operator==(const AlarmRecord&, const AlarmRecord&) = default;
};

// Reads a record of exactly kAlarmRecordSize bytes (std::invalid_argument otherwise). Flags
// are set when their byte is not zero; a length byte above its field is taken as the field's
// size; fill bytes and bytes after a text are ignored.
AlarmRecord DecodeAlarm(std::span<const std::uint8_t> bytes);

// The record's bytes: flags 0 or 1, texts in code page 1251 cut to their fields, zeros in
// the fill bytes and after each text.
std::vector<std::uint8_t> EncodeAlarm(const AlarmRecord& record);

// What counting an alarm's repeats by `delta` does: nothing for a repeat text that is not a
// whole number ("Безконечно" or anything typed); a count of 1 or less switches the alarm off
// and keeps the text; a larger count becomes count + delta.
struct RepeatStep {
    enum class Kind { Unlimited, SwitchOff, Count };
    Kind kind = Kind::Unlimited;
    std::string repeat; // the new text, for Count
};
RepeatStep StepOfRepeat(std::string_view repeat, int delta);

// The record a reset writes: 0:00 on today's date, "Всегда" without weekdays, no limit, a
// text message without a file, "Бип-Бип", switched off.
AlarmRecord DefaultAlarm(const DateTime& today);

} // namespace domora
