#pragma once

#include "core/base/OleDate.h"
#include "core/holidays/HolidayRecord.h"

#include <string>
#include <vector>

namespace domora::test {

inline std::string HolidayFileOf(const std::vector<HolidayRecord>& holidays) {
    std::string bytes;
    for (const auto& holiday : holidays) {
        const auto record = EncodeHoliday(holiday);
        bytes.append(record.begin(), record.end());
    }
    return bytes;
}

// The OLE date of a day in 2002.
inline double Date2002(int month, int day) {
    return OleDateOnly(2002, month, day) + 0.5;
}

} // namespace domora::test
