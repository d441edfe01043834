#include "platform/posix/KernelInfoText.h"

#include "core/sysinfo/Processor.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace domora {
namespace {

struct ArmPart {
    int part;
    const char* name;
};

// Designs of implementer 0x41 (ARM) by their part numbers.
constexpr ArmPart kArmParts[] = {
    {0xb76, "ARM1176"},    {0xc07, "Cortex-A7"},   {0xc08, "Cortex-A8"},   {0xc09, "Cortex-A9"},
    {0xc0f, "Cortex-A15"}, {0xd03, "Cortex-A53"},  {0xd04, "Cortex-A35"},  {0xd05, "Cortex-A55"},
    {0xd07, "Cortex-A57"}, {0xd08, "Cortex-A72"},  {0xd09, "Cortex-A73"},  {0xd0a, "Cortex-A75"},
    {0xd0b, "Cortex-A76"}, {0xd0c, "Neoverse-N1"}, {0xd40, "Neoverse-V1"}, {0xd41, "Cortex-A78"},
    {0xd44, "Cortex-X1"},  {0xd46, "Cortex-A510"}, {0xd47, "Cortex-A710"}, {0xd49, "Neoverse-N2"},
};

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The "name : value" lines up to the first blank line (the first processor's block).
std::map<std::string, std::string, std::less<>> Fields(std::string_view text, bool firstBlockOnly) {
    std::map<std::string, std::string, std::less<>> fields;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (Trim(line).empty()) {
            if (firstBlockOnly && !fields.empty()) {
                break;
            }
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos) {
            fields.emplace(std::string(Trim(line.substr(0, colon))),
                           std::string(Trim(line.substr(colon + 1))));
        }
    }
    return fields;
}

// A decimal or "0x" hexadecimal number; nothing for anything else.
std::optional<std::uint64_t> Number(std::string_view text) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

int SmallNumber(const std::map<std::string, std::string, std::less<>>& fields, std::string_view name) {
    const auto found = fields.find(name);
    if (found == fields.end()) {
        return 0;
    }
    const auto value = Number(found->second);
    return value && *value <= 0x7FFFFFFF ? static_cast<int>(*value) : 0;
}

} // namespace

ProcessorFacts ParseCpuInfo(std::string_view text) {
    const auto fields = Fields(text, true);
    ProcessorFacts facts;
    if (const auto vendor = fields.find("vendor_id"); vendor != fields.end()) {
        facts.vendorId = vendor->second;
        facts.vendor = VendorName(facts.vendorId);
        facts.family = SmallNumber(fields, "cpu family");
        facts.model = SmallNumber(fields, "model");
        facts.stepping = SmallNumber(fields, "stepping");
        const ProcessorDesign design = LookupProcessorDesign(facts.vendorId, facts.family, facts.model);
        facts.codeName = design.codeName;
        facts.transistors = design.transistors;
    } else if (const auto implementer = fields.find("CPU implementer"); implementer != fields.end()) {
        facts.vendorId = implementer->second;
        facts.family = SmallNumber(fields, "CPU architecture");
        facts.model = SmallNumber(fields, "CPU part");
        facts.stepping = SmallNumber(fields, "CPU revision");
        if (Number(implementer->second) == 0x41u) {
            facts.vendor = "ARM";
            const auto part = std::find_if(std::begin(kArmParts), std::end(kArmParts),
                                           [&](const ArmPart& row) { return row.part == facts.model; });
            if (part != std::end(kArmParts)) {
                facts.codeName = part->name;
            }
        }
    }
    return facts;
}

MemoryFacts ParseMemInfo(std::string_view text) {
    const auto fields = Fields(text, false);
    const auto bytes = [&](std::string_view name) -> std::uint64_t {
        const auto found = fields.find(name);
        if (found == fields.end()) {
            return 0;
        }
        std::string_view value = found->second;
        if (value.ends_with(" kB")) {
            value.remove_suffix(3);
        }
        const auto kilobytes = Number(Trim(value));
        return kilobytes && *kilobytes <= UINT64_MAX / 1024 ? *kilobytes * 1024 : 0;
    };
    MemoryFacts facts;
    facts.totalPhysical = bytes("MemTotal");
    facts.availablePhysical = bytes("MemAvailable");
    facts.totalPageFile = bytes("SwapTotal");
    facts.availablePageFile = bytes("SwapFree");
    facts.totalVirtual = bytes("CommitLimit");
    const std::uint64_t committed = bytes("Committed_AS");
    facts.availableVirtual = facts.totalVirtual > committed ? facts.totalVirtual - committed : 0;
    return facts;
}

} // namespace domora
