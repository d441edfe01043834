#pragma once

#include "core/alarms/AlarmRecord.h"
#include "core/base/DateTime.h"

#include <cstdio>
#include <string>
#include <vector>

namespace domora::test {

// An alarm on the given minute with a silent text message, switched on.
inline AlarmRecord Alarm(int hour, int minute, const std::string& recurrence = "Всегда",
                         const std::string& repeat = "Безконечно") {
    AlarmRecord r;
    r.Hour = hour;
    r.Minute = minute;
    r.Recurrence = recurrence;
    r.Repeat = repeat;
    r.TextMessage = true;
    r.NoSound = true;
    r.SwitchedOn = true;
    return r;
}

inline std::string FileOf(const std::vector<AlarmRecord>& alarms) {
    std::string bytes;
    for (const auto& alarm : alarms) {
        const auto record = EncodeAlarm(alarm);
        bytes.append(record.begin(), record.end());
    }
    return bytes;
}

// "2028-01-04 07:30"
inline std::string MinuteText(const DateTime& dt) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", dt.year, dt.month, dt.day, dt.hour,
                  dt.minute);
    return buffer;
}

// Every field of a record on one line, for comparisons that name the field that differs.
inline std::string Dump(const AlarmRecord& r) {
    std::string days;
    for (const bool day : r.Weekdays) {
        days += day ? '1' : '0';
    }
    const auto flag = [](bool b) { return b ? "1" : "0"; };
    return std::to_string(r.Hour) + ":" + std::to_string(r.Minute) + " date " + flag(r.UseDate) + " " +
           std::to_string(r.AlarmDate) + " days " + days + " [" + r.Recurrence + "] [" + r.Repeat +
           "] text " + flag(r.TextMessage) + " [" + r.TextFile + "] picture " + flag(r.PictureMessage) +
           " [" + r.PictureFile + "] builtin " + flag(r.BuiltinSound) + " [" + r.BuiltinName + "] mp3 " +
           flag(r.Mp3Sound) + " [" + r.Mp3File + "] wav " + flag(r.WavSound) + " [" + r.WavFile +
           "] silent " + flag(r.NoSound) + " on " + flag(r.SwitchedOn);
}

} // namespace domora::test
