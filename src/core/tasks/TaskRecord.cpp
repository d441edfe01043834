#include "core/tasks/TaskRecord.h"

#include "core/base/LittleEndian.h"
#include "core/base/TextField.h"

#include <stdexcept>

namespace domora {
namespace {

// Offsets of the fields.
constexpr std::size_t kHour = 0;
constexpr std::size_t kMinute = 1;
constexpr std::size_t kPeriod = 2;
constexpr std::size_t kTaskDate = 32;
constexpr std::size_t kUseDate = 40;
constexpr std::size_t kPreset = 41;
constexpr std::size_t kFileName = 70;
constexpr std::size_t kDirectory = 171;
constexpr std::size_t kParams = 372;
constexpr std::size_t kActive = kTaskActiveOffset;

} // namespace

TaskRecord DecodeTask(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kTaskRecordSize) {
        throw std::invalid_argument("a task record is 480 bytes");
    }
    const auto text = [&](std::size_t offset, std::size_t capacity) {
        return ReadTextField(bytes, offset, capacity);
    };
    TaskRecord r;
    r.Hour = static_cast<std::int8_t>(bytes[kHour]);
    r.Minute = static_cast<std::int8_t>(bytes[kMinute]);
    r.Period = text(kPeriod, kPeriodChars);
    r.TaskDate = ReadDoubleLE(bytes, kTaskDate);
    r.UseDate = bytes[kUseDate] != 0;
    r.Preset = text(kPreset, kPresetChars);
    r.FileName = text(kFileName, kFileNameChars);
    r.Directory = text(kDirectory, kDirectoryChars);
    r.Params = text(kParams, kParamsChars);
    r.Active = bytes[kActive] != 0;
    return r;
}

std::vector<std::uint8_t> EncodeTask(const TaskRecord& r) {
    std::vector<std::uint8_t> bytes(kTaskRecordSize, 0);
    const auto text = [&](std::size_t offset, std::size_t capacity, const std::string& value) {
        WriteTextField(bytes, offset, capacity, value);
    };
    bytes[kHour] = static_cast<std::uint8_t>(r.Hour);
    bytes[kMinute] = static_cast<std::uint8_t>(r.Minute);
    text(kPeriod, kPeriodChars, r.Period);
    WriteDoubleLE(bytes, kTaskDate, r.TaskDate);
    bytes[kUseDate] = r.UseDate ? 1 : 0;
    text(kPreset, kPresetChars, r.Preset);
    text(kFileName, kFileNameChars, r.FileName);
    text(kDirectory, kDirectoryChars, r.Directory);
    text(kParams, kParamsChars, r.Params);
    bytes[kActive] = r.Active ? 1 : 0;
    return bytes;
}

std::optional<std::string> CheckTaskTime(int hour, int minute) {
    if (hour != -1 && (hour < 0 || hour > 23)) {
        return "Часы задания должны быть числом от 0 до 23 или -1 (без времени), а не " +
               std::to_string(hour) + ".";
    }
    if (minute != -1 && (minute < 0 || minute > 59)) {
        return "Минуты задания должны быть числом от 0 до 59 или -1 (без времени), а не " +
               std::to_string(minute) + ".";
    }
    if (hour == -1 && minute != -1) {
        return "Часы задания равны -1 (без времени): минуты тогда тоже должны быть -1.";
    }
    if (minute == -1 && hour != -1) {
        return "Минуты задания равны -1 (без времени): часы тогда тоже должны быть -1.";
    }
    return std::nullopt;
}

} // namespace domora
