#include "platform/posix/KernelInfoText.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

TEST(KernelInfoText, ReadsTheFirstProcessorOfCpuInfo) {
    const struct {
        const char* name;
        const char* text;
        ProcessorFacts expected;
    } cases[] = {
        {"x86",
         "processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 158\n"
         "model name\t: Some Processor @ 3.60GHz\nstepping\t: 10\n\n"
         "processor\t: 1\nvendor_id\t: AuthenticAMD\ncpu family\t: 23\nmodel\t\t: 1\nstepping\t: 2\n",
         {"Intel", "GenuineIntel", 6, 158, 10, "Coffee Lake", 0, "", 0}},
        {"ARM, a known part",
         "processor\t: 0\nBogoMIPS\t: 108.00\nFeatures\t: fp asimd evtstrm crc32 cpuid\n"
         "CPU implementer\t: 0x41\nCPU architecture: 8\nCPU variant\t: 0x0\nCPU part\t: 0xd08\n"
         "CPU revision\t: 3\n\nprocessor\t: 1\nCPU implementer\t: 0x51\n",
         {"ARM", "0x41", 8, 0xd08, 3, "Cortex-A72", 0, "", 0}},
        {"ARM, another maker",
         "processor\t: 0\nCPU implementer\t: 0x61\nCPU architecture: 8\nCPU part\t: 0x022\nCPU revision\t: "
         "1\n",
         {"", "0x61", 8, 0x22, 1, "", 0, "", 0}},
        {"nothing known", "processor\t: 0\nhart\t\t: 0\nisa\t\t: rv64imafdc\n", {}},
    };
    for (const auto& c : cases) {
        const ProcessorFacts facts = ParseCpuInfo(c.text);
        EXPECT_EQ(facts.vendor, c.expected.vendor) << c.name;
        EXPECT_EQ(facts.vendorId, c.expected.vendorId) << c.name;
        EXPECT_EQ(facts.family, c.expected.family) << c.name;
        EXPECT_EQ(facts.model, c.expected.model) << c.name;
        EXPECT_EQ(facts.stepping, c.expected.stepping) << c.name;
        EXPECT_EQ(facts.codeName, c.expected.codeName) << c.name;
    }
}

TEST(KernelInfoText, ReadsMemInfoInBytes) {
    const MemoryFacts facts = ParseMemInfo("MemTotal:       16303372 kB\n"
                                           "MemFree:         1210128 kB\n"
                                           "MemAvailable:   10218736 kB\n"
                                           "SwapTotal:       2097148 kB\n"
                                           "SwapFree:        2097148 kB\n"
                                           "CommitLimit:    10248832 kB\n"
                                           "Committed_AS:    9000000 kB\n"
                                           "HugePages_Total:       0\n");
    EXPECT_EQ(facts.totalPhysical, 16303372ull * 1024);
    EXPECT_EQ(facts.availablePhysical, 10218736ull * 1024);
    EXPECT_EQ(facts.totalPageFile, 2097148ull * 1024);
    EXPECT_EQ(facts.availablePageFile, 2097148ull * 1024);
    EXPECT_EQ(facts.totalVirtual, 10248832ull * 1024);
    EXPECT_EQ(facts.availableVirtual, 1248832ull * 1024);

    // More committed than the limit (overcommit) leaves nothing, not a wrapped number.
    const MemoryFacts over = ParseMemInfo("CommitLimit: 100 kB\nCommitted_AS: 250 kB\nMemTotal: x kB\n");
    EXPECT_EQ(over.totalVirtual, 102400u);
    EXPECT_EQ(over.availableVirtual, 0u);
    EXPECT_EQ(over.totalPhysical, 0u);
}

} // namespace
} // namespace domora
