// libFuzzer target: the codecs of the alarm, holiday and task records. The input is read as
// a file of each kind (its whole records; the rest ignored), and also gives the values of one
// record of each kind to encode.
//
// For a record read from a file: encoding what it decodes to gives its bytes with the flags
// as 0 or 1, a length byte above its field cut to the field, and zeros in the fill bytes and
// after each text; every other byte (times, dates, the bytes of the texts) is kept. Decoding
// that again gives the same record. For a record made from values: its encoding is such a
// canonical record, and a text that fits its field in code page 1251 reads back unchanged.

#include "FuzzCheck.h"
#include "core/alarms/AlarmRecord.h"
#include "core/base/Cp1251.h"
#include "core/holidays/HolidayRecord.h"
#include "core/tasks/TaskRecord.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace domora;
using fuzz::Require;
using fuzz::SameBits;
using Bytes = std::vector<std::uint8_t>;

struct Field {
    enum class Kind { Byte, Flag, Double, Text } kind;
    std::size_t offset;
    std::size_t capacity = 0; // Text
};

using K = Field::Kind;

const std::vector<Field> kAlarmFields = {
    {K::Byte, 0},        {K::Byte, 1},        {K::Flag, 2},        {K::Double, 8},    {K::Flag, 16},
    {K::Flag, 17},       {K::Flag, 18},       {K::Flag, 19},       {K::Flag, 20},     {K::Flag, 21},
    {K::Flag, 22},       {K::Text, 23, 200},  {K::Text, 224, 10},  {K::Flag, 235},    {K::Flag, 236},
    {K::Text, 237, 200}, {K::Text, 438, 100}, {K::Flag, 539},      {K::Text, 540, 7}, {K::Flag, 548},
    {K::Text, 549, 100}, {K::Flag, 650},      {K::Text, 651, 100}, {K::Flag, 752},    {K::Flag, 753}};
const std::vector<Field> kHolidayFields = {
    {K::Byte, 0}, {K::Byte, 1}, {K::Text, 2, 200}, {K::Text, 203, 200}};
const std::vector<Field> kTaskFields = {
    {K::Byte, 0},      {K::Byte, 1},       {K::Text, 2, 28},    {K::Double, 32},     {K::Flag, 40},
    {K::Text, 41, 28}, {K::Text, 70, 100}, {K::Text, 171, 200}, {K::Text, 372, 100}, {K::Flag, 473}};

// The bytes a record's encoding must have, from the layout alone.
Bytes Canonical(std::span<const std::uint8_t> bytes, const std::vector<Field>& fields) {
    Bytes out(bytes.size(), 0);
    for (const Field& f : fields) {
        switch (f.kind) {
        case K::Byte:
            out[f.offset] = bytes[f.offset];
            break;
        case K::Flag:
            out[f.offset] = bytes[f.offset] != 0 ? 1 : 0;
            break;
        case K::Double:
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(f.offset), 8,
                        out.begin() + static_cast<std::ptrdiff_t>(f.offset));
            break;
        case K::Text: {
            const std::size_t length = std::min<std::size_t>(bytes[f.offset], f.capacity);
            out[f.offset] = static_cast<std::uint8_t>(length);
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(f.offset + 1), length,
                        out.begin() + static_cast<std::ptrdiff_t>(f.offset + 1));
            break;
        }
        }
    }
    return out;
}

// Records equal, their dates bit for bit (a NaN date equals itself).
bool Same(AlarmRecord a, AlarmRecord b) {
    const bool date = SameBits(a.AlarmDate, b.AlarmDate);
    a.AlarmDate = b.AlarmDate = 0;
    return date && a == b;
}
bool Same(TaskRecord a, TaskRecord b) {
    const bool date = SameBits(a.TaskDate, b.TaskDate);
    a.TaskDate = b.TaskDate = 0;
    return date && a == b;
}
bool Same(const HolidayRecord& a, const HolidayRecord& b) {
    return a == b;
}

// Decode, encode, decode, for every whole record of the input read as a file of this kind.
template <typename Decode, typename Encode>
void CheckFile(std::span<const std::uint8_t> file, std::size_t size, const std::vector<Field>& fields,
               Decode decode, Encode encode) {
    for (std::size_t at = 0; at + size <= file.size(); at += size) {
        const auto bytes = file.subspan(at, size);
        const auto first = decode(bytes);
        const Bytes encoded = encode(first);
        Require(encoded == Canonical(bytes, fields), "a decoded record encodes to its canonical bytes");
        const auto second = decode(encoded);
        Require(Same(first, second), "decode, encode, decode gives the first record");
        Require(encode(second) == encoded, "a record encodes the same after a second round");
    }
}

// A text of the input: any bytes, so also text that is not UTF-8 or lacks a code page byte.
std::string Text(FuzzedDataProvider& in) {
    return in.ConsumeRandomLengthString(260);
}

// What a text field reads back as: the text itself when it fits the field in code page 1251.
void CheckText(const std::string& written, const std::string& read, std::size_t capacity) {
    std::string cp1251;
    if (Utf8ToCp1251(written, cp1251) && cp1251.size() <= capacity) {
        Require(read == written, "a text that fits its field reads back unchanged");
    } else {
        Require(read.size() <= 3 * capacity, "a text is cut to its field");
    }
}

template <typename Record, typename Decode, typename Encode>
void CheckValues(const Record& record, const std::vector<Field>& fields, Decode decode, Encode encode) {
    const Bytes encoded = encode(record);
    Require(encoded == Canonical(encoded, fields), "an encoded record is canonical");
    Require(encode(decode(encoded)) == encoded, "an encoded record decodes and encodes to itself");
}

void CheckMadeRecords(FuzzedDataProvider& in) {
    AlarmRecord alarm;
    alarm.Hour = in.ConsumeIntegralInRange(-1, 23);
    alarm.Minute = in.ConsumeIntegralInRange(-1, 59);
    alarm.UseDate = in.ConsumeBool();
    alarm.AlarmDate = in.ConsumeFloatingPoint<double>();
    for (bool& day : alarm.Weekdays) {
        day = in.ConsumeBool();
    }
    alarm.Recurrence = Text(in);
    alarm.Repeat = Text(in);
    alarm.TextFile = Text(in);
    alarm.BuiltinName = Text(in);
    alarm.WavFile = Text(in);
    alarm.SwitchedOn = in.ConsumeBool();
    CheckValues(alarm, kAlarmFields, DecodeAlarm, EncodeAlarm);
    const AlarmRecord readAlarm = DecodeAlarm(EncodeAlarm(alarm));
    Require(readAlarm.Hour == alarm.Hour && readAlarm.Minute == alarm.Minute, "an alarm keeps its time");
    Require(SameBits(readAlarm.AlarmDate, alarm.AlarmDate), "an alarm keeps its date");
    CheckText(alarm.Recurrence, readAlarm.Recurrence, kRecurrenceChars);
    CheckText(alarm.Repeat, readAlarm.Repeat, kRepeatChars);
    CheckText(alarm.TextFile, readAlarm.TextFile, kTextFileChars);
    CheckText(alarm.BuiltinName, readAlarm.BuiltinName, kBuiltinNameChars);
    CheckText(alarm.WavFile, readAlarm.WavFile, kWavFileChars);

    HolidayRecord holiday;
    holiday.Month = in.ConsumeIntegralInRange(1, 12);
    holiday.Day = in.ConsumeIntegralInRange(1, 31);
    holiday.Event = Text(in);
    holiday.Comment = Text(in);
    CheckValues(holiday, kHolidayFields, DecodeHoliday, EncodeHoliday);
    const HolidayRecord readHoliday = DecodeHoliday(EncodeHoliday(holiday));
    Require(readHoliday.Month == holiday.Month && readHoliday.Day == holiday.Day, "a holiday keeps its day");
    CheckText(holiday.Event, readHoliday.Event, kHolidayTextChars);
    CheckText(holiday.Comment, readHoliday.Comment, kHolidayTextChars);

    TaskRecord task;
    task.Hour = in.ConsumeIntegralInRange(-1, 23);
    task.Minute = in.ConsumeIntegralInRange(-1, 59);
    task.Period = Text(in);
    task.TaskDate = in.ConsumeFloatingPoint<double>();
    task.UseDate = in.ConsumeBool();
    task.Preset = Text(in);
    task.Directory = Text(in);
    task.Params = Text(in);
    task.Active = in.ConsumeBool();
    CheckValues(task, kTaskFields, DecodeTask, EncodeTask);
    const TaskRecord readTask = DecodeTask(EncodeTask(task));
    Require(readTask.Hour == task.Hour && readTask.Minute == task.Minute, "a task keeps its time");
    Require(SameBits(readTask.TaskDate, task.TaskDate), "a task keeps its date");
    CheckText(task.Period, readTask.Period, kPeriodChars);
    CheckText(task.Preset, readTask.Preset, kPresetChars);
    CheckText(task.Directory, readTask.Directory, kDirectoryChars);
    CheckText(task.Params, readTask.Params, kParamsChars);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    CheckFile(file, kAlarmRecordSize, kAlarmFields, DecodeAlarm, EncodeAlarm);
    CheckFile(file, kHolidayRecordSize, kHolidayFields, DecodeHoliday, EncodeHoliday);
    CheckFile(file, kTaskRecordSize, kTaskFields, DecodeTask, EncodeTask);
    FuzzedDataProvider in(data, size);
    CheckMadeRecords(in);
    return 0;
}
