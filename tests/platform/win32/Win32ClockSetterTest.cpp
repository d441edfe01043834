#include "platform/win32/Win32ClockSetter.h"

#include "RecordingSystemCalls.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

using Log = std::vector<std::string>;

const Log kSystemTimePrivilege = {"SetLastError 0", "OpenProcessToken 40",
                                  "LookupPrivilegeValueA  SeSystemtimePrivilege",
                                  "AdjustTokenPrivileges 99 0 19 2 16", "CloseHandle 99"};

Log WithPrivilege(const std::string& call) {
    Log log = kSystemTimePrivilege;
    log.push_back(call);
    return log;
}

// The record is the universal time given, weekday 0; a shift is the clock read and moved;
// a refusal names its cause.
TEST(Win32ClockSetter, SetsTheUniversalTimeAfterThePrivilegeAndSaysWhyNot) {
    test::RecordingSystemCalls calls;
    Win32ClockSetter setter(calls);
    EXPECT_TRUE(setter.setUtc(DateTime{2027, 1, 4, 2, 22, 30, 5, 0}).done);
    EXPECT_EQ(calls.log, WithPrivilege("SetSystemTime 2027 1 0 4 22 30 5 0"));

    calls.log.clear();
    calls.fileTimeNow = 134435808000000000ULL; // 2027-01-05 00:00:00
    EXPECT_TRUE(setter.shiftBy(3600250000).done);
    EXPECT_EQ(calls.log.back(), "SetSystemTime 2027 1 0 5 1 0 0 250");
    calls.log.clear();
    EXPECT_TRUE(setter.shiftBy(-250000).done);
    EXPECT_EQ(calls.log.back(), "SetSystemTime 2027 1 0 4 23 59 59 750");

    calls.timeResult = false;
    calls.error = 1314;
    EXPECT_EQ(setter.setUtc(DateTime{2027, 1, 4, 2, 22, 30, 5, 0}).failure,
              "Часы не установлены: нет прав на изменение системного времени.");
    calls.error = 87;
    EXPECT_EQ(setter.setUtc(DateTime{2027, 1, 4, 2, 22, 30, 5, 0}).failure.rfind("Часы не установлены. ", 0),
              0U);
}

} // namespace
} // namespace domora
