#include "core/sysinfo/Processor.h"

#include <cstdio>

namespace domora {

namespace {

struct DesignRow {
    const char* vendorId;
    int family;
    int firstModel;
    int lastModel;
    const char* codeName;
    std::uint64_t transistors; // the whole processor's; 0 where not publicly known or where
                               // the processor is made of several dies
};

constexpr char kIntel[] = "GenuineIntel";
constexpr char kAmd[] = "AuthenticAMD";

// Common processor families by their maker's family and model numbers. Transistor counts
// are the makers' published figures for the processor's die.
constexpr DesignRow kDesigns[] = {
    {kIntel, 4, 0x0, 0xF, "80486", 1'180'235},
    {kIntel, 5, 0x1, 0x2, "P5", 3'100'000},
    {kIntel, 5, 0x4, 0x4, "P55C", 4'500'000},
    {kIntel, 6, 0x1, 0x1, "P6", 5'500'000},
    {kIntel, 6, 0x3, 0x3, "Klamath", 7'500'000},
    {kIntel, 6, 0x5, 0x5, "Deschutes", 7'500'000},
    {kIntel, 6, 0x6, 0x6, "Mendocino", 19'000'000},
    {kIntel, 6, 0x7, 0x7, "Katmai", 9'500'000},
    {kIntel, 6, 0x8, 0x8, "Coppermine", 28'100'000},
    {kIntel, 6, 0x9, 0x9, "Banias", 77'000'000},
    {kIntel, 6, 0xA, 0xA, "Coppermine", 28'100'000},
    {kIntel, 6, 0xB, 0xB, "Tualatin", 44'000'000},
    {kIntel, 6, 0xD, 0xD, "Dothan", 140'000'000},
    {kIntel, 6, 0xE, 0xE, "Yonah", 151'000'000},
    {kIntel, 6, 0xF, 0xF, "Conroe", 291'000'000},
    {kIntel, 6, 0x17, 0x17, "Penryn", 410'000'000},
    {kIntel, 6, 0x1A, 0x1A, "Bloomfield", 731'000'000},
    {kIntel, 6, 0x1C, 0x1C, "Bonnell", 47'000'000},
    {kIntel, 6, 0x1E, 0x1E, "Lynnfield", 774'000'000},
    {kIntel, 6, 0x25, 0x25, "Westmere", 0},
    {kIntel, 6, 0x2A, 0x2A, "Sandy Bridge", 1'160'000'000},
    {kIntel, 6, 0x2D, 0x2D, "Sandy Bridge-E", 2'270'000'000},
    {kIntel, 6, 0x37, 0x37, "Silvermont", 0},
    {kIntel, 6, 0x3A, 0x3A, "Ivy Bridge", 1'400'000'000},
    {kIntel, 6, 0x3C, 0x3C, "Haswell", 1'400'000'000},
    {kIntel, 6, 0x3D, 0x3D, "Broadwell", 0},
    {kIntel, 6, 0x3F, 0x3F, "Haswell-E", 0},
    {kIntel, 6, 0x45, 0x46, "Haswell", 0},
    {kIntel, 6, 0x4C, 0x4C, "Airmont", 0},
    {kIntel, 6, 0x4E, 0x4E, "Skylake", 0},
    {kIntel, 6, 0x55, 0x55, "Skylake-SP", 0},
    {kIntel, 6, 0x5C, 0x5C, "Goldmont", 0},
    {kIntel, 6, 0x5E, 0x5E, "Skylake", 0},
    {kIntel, 6, 0x6A, 0x6A, "Ice Lake-SP", 0},
    {kIntel, 6, 0x7A, 0x7A, "Goldmont Plus", 0},
    {kIntel, 6, 0x7E, 0x7E, "Ice Lake", 0},
    {kIntel, 6, 0x8C, 0x8D, "Tiger Lake", 0},
    {kIntel, 6, 0x8E, 0x8E, "Kaby Lake", 0},
    {kIntel, 6, 0x8F, 0x8F, "Sapphire Rapids", 0},
    {kIntel, 6, 0x97, 0x97, "Alder Lake", 0},
    {kIntel, 6, 0x9A, 0x9A, "Alder Lake", 0},
    {kIntel, 6, 0x9E, 0x9E, "Coffee Lake", 0},
    {kIntel, 6, 0xA5, 0xA5, "Comet Lake", 0},
    {kIntel, 6, 0xA7, 0xA7, "Rocket Lake", 0},
    {kIntel, 6, 0xAA, 0xAA, "Meteor Lake", 0},
    {kIntel, 6, 0xB7, 0xB7, "Raptor Lake", 0},
    {kIntel, 6, 0xBA, 0xBA, "Raptor Lake", 0},
    {kIntel, 6, 0xBD, 0xBD, "Lunar Lake", 0},
    {kIntel, 6, 0xBF, 0xBF, "Raptor Lake", 0},
    {kIntel, 6, 0xC5, 0xC6, "Arrow Lake", 0},
    {kIntel, 6, 0xCF, 0xCF, "Emerald Rapids", 0},
    {kIntel, 15, 0x0, 0x1, "Willamette", 42'000'000},
    {kIntel, 15, 0x2, 0x2, "Northwood", 55'000'000},
    {kIntel, 15, 0x3, 0x4, "Prescott", 125'000'000},
    {kIntel, 15, 0x6, 0x6, "Cedar Mill", 188'000'000},

    {kAmd, 4, 0x0, 0xF, "Am486", 0},
    {kAmd, 5, 0x0, 0x3, "K5", 4'300'000},
    {kAmd, 5, 0x6, 0x7, "K6", 8'800'000},
    {kAmd, 5, 0x8, 0x8, "K6-2", 9'300'000},
    {kAmd, 5, 0x9, 0x9, "K6-III", 21'300'000},
    {kAmd, 6, 0x1, 0x2, "K7", 22'000'000},
    {kAmd, 6, 0x3, 0x3, "Spitfire", 25'000'000},
    {kAmd, 6, 0x4, 0x4, "Thunderbird", 37'000'000},
    {kAmd, 6, 0x6, 0x6, "Palomino", 37'500'000},
    {kAmd, 6, 0x7, 0x7, "Morgan", 0},
    {kAmd, 6, 0x8, 0x8, "Thoroughbred", 37'200'000},
    {kAmd, 6, 0xA, 0xA, "Barton", 54'300'000},
    {kAmd, 15, 0x0, 0xFF, "K8", 0},
    {kAmd, 0x10, 0x0, 0xFF, "K10", 0},
    {kAmd, 0x12, 0x0, 0xFF, "Llano", 1'178'000'000},
    {kAmd, 0x14, 0x0, 0xFF, "Bobcat", 0},
    {kAmd, 0x15, 0x00, 0x0F, "Bulldozer", 1'200'000'000},
    {kAmd, 0x15, 0x10, 0x1F, "Piledriver", 1'303'000'000},
    {kAmd, 0x15, 0x30, 0x3F, "Steamroller", 2'410'000'000},
    {kAmd, 0x15, 0x60, 0x7F, "Excavator", 0},
    {kAmd, 0x16, 0x0, 0xFF, "Jaguar", 0},
    {kAmd, 0x17, 0x01, 0x01, "Zen", 0},
    {kAmd, 0x17, 0x08, 0x08, "Zen+", 0},
    {kAmd, 0x17, 0x11, 0x11, "Raven Ridge", 4'940'000'000},
    {kAmd, 0x17, 0x18, 0x18, "Picasso", 4'940'000'000},
    {kAmd, 0x17, 0x31, 0x31, "Zen 2", 0},
    {kAmd, 0x17, 0x60, 0x60, "Renoir", 9'800'000'000},
    {kAmd, 0x17, 0x68, 0x68, "Lucienne", 9'800'000'000},
    {kAmd, 0x17, 0x71, 0x71, "Matisse", 0},
    {kAmd, 0x17, 0x90, 0x91, "Van Gogh", 0},
    {kAmd, 0x17, 0xA0, 0xAF, "Mendocino", 0},
    {kAmd, 0x19, 0x00, 0x0F, "Milan", 0},
    {kAmd, 0x19, 0x10, 0x1F, "Genoa", 0},
    {kAmd, 0x19, 0x21, 0x21, "Vermeer", 0},
    {kAmd, 0x19, 0x40, 0x4F, "Rembrandt", 13'100'000'000},
    {kAmd, 0x19, 0x50, 0x5F, "Cezanne", 10'700'000'000},
    {kAmd, 0x19, 0x61, 0x61, "Raphael", 0},
    {kAmd, 0x19, 0x74, 0x75, "Phoenix", 25'000'000'000},
    {kAmd, 0x19, 0xA0, 0xAF, "Bergamo", 0},
    {kAmd, 0x1A, 0x00, 0x1F, "Turin", 0},
    {kAmd, 0x1A, 0x24, 0x24, "Strix Point", 0},
    {kAmd, 0x1A, 0x44, 0x44, "Granite Ridge", 0},
};

struct VendorRow {
    const char* vendorId;
    const char* name;
};

constexpr VendorRow kVendors[] = {
    {kIntel, "Intel"},
    {kAmd, "Advanced Micro Devices"},
    {"AMDisbetter!", "Advanced Micro Devices"},
    {"CyrixInstead", "Cyrix"},
    {"CentaurHauls", "Centaur Technology"},
    {"  Shanghai  ", "Zhaoxin"},
    {"HygonGenuine", "Hygon"},
    {"GenuineTMx86", "Transmeta"},
    {"TransmetaCPU", "Transmeta"},
    {"NexGenDriven", "NexGen"},
    {"RiseRiseRise", "Rise Technology"},
    {"SiS SiS SiS ", "SiS"},
    {"UMC UMC UMC ", "UMC"},
    {"Geode by NSC", "National Semiconductor"},
    {"Vortex86 SoC", "DM&P Electronics"},
};

constexpr std::uint32_t kSerialFeature = 1u << 18;

} // namespace

CpuSignature DecodeSignature(std::uint32_t signature) {
    const int baseFamily = static_cast<int>((signature >> 8) & 0xF);
    const int baseModel = static_cast<int>((signature >> 4) & 0xF);
    CpuSignature result;
    result.stepping = static_cast<int>(signature & 0xF);
    result.family = baseFamily == 15 ? baseFamily + static_cast<int>((signature >> 20) & 0xFF) : baseFamily;
    result.model = baseFamily == 6 || baseFamily == 15
                       ? (static_cast<int>((signature >> 16) & 0xF) << 4) + baseModel
                       : baseModel;
    return result;
}

std::string VendorIdText(std::uint32_t ebx, std::uint32_t edx, std::uint32_t ecx) {
    std::string text;
    for (const std::uint32_t word : {ebx, edx, ecx}) {
        for (int shift = 0; shift < 32; shift += 8) {
            text += static_cast<char>((word >> shift) & 0xFF);
        }
    }
    return text;
}

std::string VendorName(const std::string& vendorId) {
    for (const VendorRow& row : kVendors) {
        if (vendorId == row.vendorId) {
            return row.name;
        }
    }
    return {};
}

std::string ProcessorSerialText(std::uint32_t signature, std::uint32_t edx, std::uint32_t ecx) {
    char text[32];
    std::snprintf(text, sizeof text, "%04X-%04X-%04X-%04X-%04X-%04X", signature >> 16, signature & 0xFFFF,
                  edx >> 16, edx & 0xFFFF, ecx >> 16, ecx & 0xFFFF);
    return text;
}

ProcessorDesign LookupProcessorDesign(const std::string& vendorId, int family, int model) {
    for (const DesignRow& row : kDesigns) {
        if (vendorId == row.vendorId && family == row.family && model >= row.firstModel &&
            model <= row.lastModel) {
            return {row.codeName, row.transistors};
        }
    }
    return {};
}

std::optional<double> TimeStampRateMHz(std::uint64_t startCount, std::uint64_t endCount,
                                       double elapsedMicroseconds) {
    if (endCount <= startCount || !(elapsedMicroseconds > 0)) {
        return std::nullopt;
    }
    return static_cast<double>(endCount - startCount) / elapsedMicroseconds;
}

ProcessorFacts IdentifyProcessor(const CpuidReadings& readings, int count) {
    ProcessorFacts facts;
    facts.vendorId = VendorIdText(readings.vendorEbx, readings.vendorEdx, readings.vendorEcx);
    facts.vendor = VendorName(facts.vendorId);
    const CpuSignature signature = DecodeSignature(readings.signature);
    facts.family = signature.family;
    facts.model = signature.model;
    facts.stepping = signature.stepping;
    const ProcessorDesign design = LookupProcessorDesign(facts.vendorId, facts.family, facts.model);
    facts.codeName = design.codeName;
    facts.transistors = design.transistors;
    if ((readings.features & kSerialFeature) != 0 && readings.serialEdx && readings.serialEcx) {
        facts.serialNumber =
            ProcessorSerialText(readings.signature, *readings.serialEdx, *readings.serialEcx);
    }
    facts.count = count;
    return facts;
}

} // namespace domora
