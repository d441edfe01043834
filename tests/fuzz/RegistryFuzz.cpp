// libFuzzer target: the settings file's text form (RegistryHive::parse and serialise) on any
// text. A text that reads is written so that it reads again to the same keys and values,
// and writing that gives the same text: one round reaches a fixed point. A text that does
// not read says why.

#include "FuzzCheck.h"
#include "core/app/RegistryHive.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace domora;
using fuzz::Require;

bool SameKeys(const RegistryHive& a, const RegistryHive& b) {
    if (a.keys().size() != b.keys().size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.keys().size(); ++i) {
        const RegKeyData& x = a.keys()[i];
        const RegKeyData& y = b.keys()[i];
        if (x.fullPath != y.fullPath || x.values != y.values) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto first = RegistryHive::parse(text, &error);
    if (!first) {
        Require(!error.empty(), "a text that does not read says why");
        return 0;
    }
    const std::string written = first->serialise();
    const auto second = RegistryHive::parse(written, &error);
    Require(second.has_value(), "what is written reads again");
    Require(SameKeys(*first, *second), "what is written reads back to the same keys and values");
    Require(second->serialise() == written, "writing what was read back gives the same text");
    return 0;
}
