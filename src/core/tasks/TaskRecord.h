#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace domora {

// One task of the task file: a fixed 480-byte record, little-endian, no header.
//
//   0 Hour (signed byte)      1 Minute (signed byte)   2 Period (text, 28)   31 fill
//  32 TaskDate (OLE date, 8-byte double)               40 UseDate
//  41 Preset (text, 28)      70 FileName (text, 100)  171 Directory (text, 200)
// 372 Params (text, 100)    473 Active               474..479 fill
//
// A text field of N characters is one length byte and N bytes of code page 1251 text.
inline constexpr std::size_t kTaskRecordSize = 480;
// The task file holds at most this many tasks; the scheduler keeps one flag for each.
inline constexpr std::size_t kMaxTasks = 50;

// Where the Active byte lies, for switching a task off without touching its other bytes.
inline constexpr std::size_t kTaskActiveOffset = 473;

// Field capacities in characters.
inline constexpr std::size_t kPeriodChars = 28;
inline constexpr std::size_t kPresetChars = 28;
inline constexpr std::size_t kFileNameChars = 100;
inline constexpr std::size_t kDirectoryChars = 200;
inline constexpr std::size_t kParamsChars = 100;

struct TaskRecord {
    // Hour -1..23 and minute -1..59; both -1 is a task without a fixed time, which runs
    // once per run of the program. Each is stored as one byte and read back signed, so -1
    // is stored as 255.
    int Hour = 0;
    int Minute = 0;
    std::string Period;
    // Only the calendar day counts.
    double TaskDate = 0.0;
    // A one-time task on TaskDate; otherwise the period rule decides the days.
    bool UseDate = false;
    std::string Preset;
    // The program of a custom task: its file name, its folder and its parameters.
    std::string FileName;
    std::string Directory;
    std::string Params;
    bool Active = false;

    bool hasTime() const { return Hour != -1 && Minute != -1; }
    bool withoutTime() const { return Hour == -1 && Minute == -1; }

    friend bool operator==(const TaskRecord&, const TaskRecord&) = default;
};

// Reads a record of exactly kTaskRecordSize bytes (std::invalid_argument otherwise). Flags
// are set when their byte is not zero; a length byte above its field is taken as the field's
// size; fill bytes and bytes after a text are ignored.
TaskRecord DecodeTask(std::span<const std::uint8_t> bytes);

// The record's bytes: flags 0 or 1, texts in code page 1251 cut to their fields, zeros in
// the fill bytes and after each text.
std::vector<std::uint8_t> EncodeTask(const TaskRecord& record);

// Why the hours and minutes the user typed cannot be a task's time, in Russian naming the
// field; nothing when they can: each is -1 or in its range (0..23, 0..59), and either both
// are -1 (no time) or neither.
std::optional<std::string> CheckTaskTime(int hour, int minute);

} // namespace domora
