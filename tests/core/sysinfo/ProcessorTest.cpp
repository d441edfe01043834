#include "core/sysinfo/Processor.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

TEST(Processor, SignatureWithTheExtendedFields) {
    const struct {
        std::uint32_t signature;
        int family;
        int model;
        int stepping;
    } rows[] = {
        {0x00000543, 5, 4, 3},     // a family below 6 ignores the extended model
        {0x00010543, 5, 4, 3},     //
        {0x000006B1, 6, 0xB, 1},   //
        {0x00090672, 6, 0x97, 2},  // the extended model counts for family 6
        {0x00000F41, 15, 4, 1},    //
        {0x00020F12, 15, 0x21, 2}, // and for family 15, whose extended family is 0 here
        {0x00B00F21, 26, 2, 1},    // family 15 + 11
        {0x00A60F12, 25, 0x61, 2}, //
    };
    for (const auto& row : rows) {
        const CpuSignature decoded = DecodeSignature(row.signature);
        EXPECT_EQ(decoded.family, row.family) << std::hex << row.signature;
        EXPECT_EQ(decoded.model, row.model) << std::hex << row.signature;
        EXPECT_EQ(decoded.stepping, row.stepping) << std::hex << row.signature;
    }
}

TEST(Processor, IdentifiedFromItsAnswers) {
    CpuidReadings readings;
    readings.vendorEbx = 0x756E6547; // "Genu"
    readings.vendorEdx = 0x49656E69; // "ineI"
    readings.vendorEcx = 0x6C65746E; // "ntel"
    readings.signature = 0x000006F6;
    // The serial is read only where the feature flag offers it.
    readings.serialEdx = 0x00010002;
    readings.serialEcx = 0x0003ABCD;
    ProcessorFacts facts = IdentifyProcessor(readings, 4);
    EXPECT_EQ(facts.vendorId, "GenuineIntel");
    EXPECT_EQ(facts.vendor, "Intel");
    EXPECT_EQ(facts.codeName, "Conroe");
    EXPECT_EQ(facts.transistors, 291'000'000u);
    EXPECT_EQ(facts.count, 4);
    EXPECT_EQ(facts.serialNumber, "");

    readings.features = 1u << 18;
    readings.signature = 0x00000686;
    facts = IdentifyProcessor(readings, 1);
    EXPECT_EQ(facts.codeName, "Coppermine");
    EXPECT_EQ(facts.serialNumber, "0000-0686-0001-0002-0003-ABCD");

    // An unknown maker and design leave their texts empty.
    readings = {};
    readings.vendorEbx = 0x20202020;
    facts = IdentifyProcessor(readings, 1);
    EXPECT_EQ(facts.vendor, "");
    EXPECT_EQ(facts.codeName, "");
    EXPECT_EQ(facts.transistors, 0u);
}

TEST(Processor, RateFromTheTimeStampCounter) {
    // 10 GHz over half a second: more ticks than 32 bits hold.
    EXPECT_DOUBLE_EQ(*TimeStampRateMHz(0, 5'000'000'000, 500'000), 10'000.0);
    // A counter that passes the top of 32 bits, near the top of 64.
    EXPECT_DOUBLE_EQ(*TimeStampRateMHz(0xFFFFFFF0ull, 0xFFFFFFF0ull + 1'048'000'000, 500'000), 2096.0);
    EXPECT_DOUBLE_EQ(*TimeStampRateMHz(~0ull - 2'000'000'000, ~0ull, 1'000'000), 2000.0);
    EXPECT_FALSE(TimeStampRateMHz(200, 100, 500'000)); // the counter went back
    EXPECT_FALSE(TimeStampRateMHz(100, 200, 0));
}

TEST(Processor, DesignTableFindsCommonProcessors) {
    EXPECT_EQ(LookupProcessorDesign("AuthenticAMD", 26, 2).codeName, "Turin");
    EXPECT_EQ(LookupProcessorDesign("AuthenticAMD", 0x15, 0x13).codeName, "Piledriver");
    EXPECT_EQ(LookupProcessorDesign("GenuineIntel", 6, 0xBA).codeName, "Raptor Lake");
    EXPECT_EQ(LookupProcessorDesign("GenuineIntel", 15, 3).transistors, 125'000'000u);
    // The same numbers of another maker are another processor.
    EXPECT_EQ(LookupProcessorDesign("AuthenticAMD", 6, 0xF).codeName, "");
}

} // namespace
} // namespace domora
