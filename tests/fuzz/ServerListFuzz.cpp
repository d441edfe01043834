// libFuzzer target: the time-server list on any file. It loads; a name added goes after the
// lines already there, which stay byte for byte with their own line ends; the list then
// loads as the old names and the new one.

#include "FuzzCheck.h"
#include "core/base/Cp1251.h"
#include "core/timeservices/ServerList.h"
#include "testing/core/MemoryFileStore.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace domora;
using fuzz::Require;

constexpr const char* kPath = "/app/Data/IServers.DMR";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    // The name added: code page 1251 bytes from the input's end, read as text (or not
    // text at all, which must be refused).
    const bool asBytes = in.ConsumeBool();
    const std::string typed = in.ConsumeRandomLengthString(64);
    const std::string name = asBytes ? typed : Cp1251ToUtf8(typed);
    const std::string old = in.ConsumeRemainingBytesAsString();

    MemoryFileStore files;
    files.put(kPath, old);
    const auto names = LoadServers(files, kPath);
    Require(names.has_value(), "a list that can be read loads");
    for (const std::string& line : *names) {
        Require(line.find_first_of("\r\n") == std::string::npos, "a name holds no line end");
    }

    std::string error;
    if (!AddServer(files, kPath, name, &error)) {
        Require(!error.empty(), "a refused name says why");
        Require(files.files().at(kPath) == old, "a refused name changes nothing");
        return 0;
    }
    const std::string& now = files.files().at(kPath);
    Require(now.starts_with(old), "the lines already listed stay byte for byte");
    Require(now.ends_with("\r\n"), "the new name ends its line");
    const auto after = LoadServers(files, kPath);
    Require(after.has_value() && after->size() == names->size() + 1, "the list holds one name more");
    Require(std::equal(names->begin(), names->end(), after->begin()), "the names listed before stay");
    Require(after->back() == name, "the name added loads as it was given");
    return 0;
}
