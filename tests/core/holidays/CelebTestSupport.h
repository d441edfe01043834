#pragma once

#include "core/base/OleDate.h"
#include "core/holidays/CelebRecord.h"

#include <string>
#include <vector>

namespace domora::test {

inline std::string CelebFileOf(const std::vector<CelebRecord>& celebs) {
    std::string bytes;
    for (const auto& celeb : celebs) {
        const auto record = EncodeCeleb(celeb);
        bytes.append(record.begin(), record.end());
    }
    return bytes;
}

// The OLE date of a day in 2002.
inline double Date2002(int month, int day) {
    return OleDateOnly(2002, month, day) + 0.5;
}

} // namespace domora::test
