#include "core/sysinfo/SystemPageText.h"

#include <gtest/gtest.h>

#include <climits>

namespace domora {
namespace {

TEST(SystemPageText, FormatThousandsGroupsFourToTwelveDigits) {
    const struct {
        const char* digits;
        const char* shown;
    } rows[] = {
        {"", ""},
        {"7", "7"},
        {"123", "123"},
        {"1234", "1 234"},
        {"1234567890", "1 234 567 890"},
        {"123456789012", "123 456 789 012"},
        {"1234567890123", "1234567890123"},
        {"12a4", "12a4"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FormatThousands(row.digits), row.shown) << row.digits;
    }
    EXPECT_EQ(ByteCountText(40'000'000'000), "40 000 000 000 байт");
    EXPECT_EQ(DisplayMemoryText("  268435456 "), "268 435 456");
    EXPECT_EQ(DisplayMemoryText("   "), "");
}

TEST(SystemPageText, DriveTypeWords) {
    const char* const words[] = {"Unknown - ", "NotExists - ", "Removable - ", "Fixed - ",
                                 "Remote - ",  "CDROM - ",     "RAMDisk - "};
    for (int type = 0; type < 7; ++type) {
        EXPECT_EQ(DriveTypeWord(type), words[type]) << type;
    }
    EXPECT_FALSE(DriveTypeWord(7));
    EXPECT_FALSE(DriveTypeWord(-1));
}

TEST(SystemPageText, GaugeCountsKibibytesAndFitsAnyDisk) {
    // 1 TiB fits as it is.
    GaugeRange gauge = DiskGauge(1ull << 40, 1ull << 38);
    EXPECT_EQ(gauge.maximum, 1 << 30);
    EXPECT_EQ(gauge.progress, 3 << 28);
    // 3 TB, a third free: past what the gauge counts, so both are halved, the share kept.
    gauge = DiskGauge(3'000'000'000'000, 1'000'000'000'000);
    EXPECT_LE(gauge.maximum, INT_MAX);
    EXPECT_GT(gauge.maximum, INT_MAX / 2);
    EXPECT_NEAR(static_cast<double>(gauge.progress) / gauge.maximum, 2.0 / 3.0, 1e-6);
    // The largest disk a 64-bit count can hold.
    gauge = DiskGauge(~0ull, 0);
    EXPECT_LE(gauge.maximum, INT_MAX);
    EXPECT_EQ(gauge.progress, gauge.maximum);
    // No capacity: an empty gauge, not a busy one; more free than capacity: nothing used.
    gauge = DiskGauge(0, 0);
    EXPECT_EQ(gauge.maximum, 1);
    EXPECT_EQ(gauge.progress, 0);
    EXPECT_EQ(DiskGauge(4096, 8192).progress, 0);
}

// The rate to the hundredth, with a decimal comma and no trailing zeros (the lines built
// from the facts are checked on the page itself).
TEST(SystemPageText, ClockRateAndPixelSize) {
    EXPECT_EQ(ClockRateText(2096.015343), "2096,02 MHz");
    EXPECT_EQ(ClockRateText(2100.0), "2100 MHz");
    EXPECT_EQ(ClockRateText(9400.5), "9400,5 MHz");

    const PixelSize pixel = PixelSizeMicrometres(527, 296, 1920, 1080);
    EXPECT_EQ(pixel.width, 274);
    EXPECT_EQ(pixel.height, 274);
    EXPECT_EQ(pixel.diagonal, 388);
    EXPECT_EQ(PixelSizeMicrometres(0, 0, 1920, 1080).diagonal, 0);
    EXPECT_EQ(PixelSizeMicrometres(527, 296, 0, 0).width, 0);
}

TEST(SystemPageText, TheDriveHoldingTheProgramIsChosenFirst) {
    const std::vector<std::string> mounts = {"/", "/home", "/home/u/usb", "/homes"};
    const struct {
        const char* path;
        int chosen;
    } rows[] = {
        {"/home/u/.local/share/domora/", 1},
        {"/home/u/usb/domora/", 2},
        {"/homes/domora/", 3},
        {"/home", 1},
        {"/opt/domora/", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DriveHolding(mounts, row.path), row.chosen) << row.path;
    }
    const std::vector<std::string> letters = {"A:\\", "C:\\", "D:\\"};
    EXPECT_EQ(DriveHolding(letters, "d:\\Domora\\"), 2);
    EXPECT_EQ(DriveHolding(letters, "\\\\server\\share\\"), 0);
    EXPECT_EQ(DriveHolding({}, "/"), -1);
}

} // namespace
} // namespace domora
