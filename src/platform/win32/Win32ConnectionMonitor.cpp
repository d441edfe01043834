#include "platform/win32/Win32ConnectionMonitor.h"

#include "platform/win32/Win32NativeSystemCalls.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace domora {
namespace {

constexpr std::uint32_t kRasBufferTooSmall = 603; // ERROR_BUFFER_TOO_SMALL

// The first layout of RASCONNA, for its size on this build.
struct RasConnectionRecord {
    std::uint32_t size;
    void* handle;
    char entryName[257];
    char deviceType[17];
    char deviceName[129];
};
static_assert(sizeof(RasConnectionRecord) == kRasConnectionRecordSize);

std::uint32_t LittleEndian(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t number = 0;
    for (std::size_t i = std::min<std::size_t>(bytes.size(), 4); i-- > 0;) {
        number = (number << 8) | bytes[i];
    }
    return number;
}

} // namespace

bool ProxyEnableIsOn(const RawRegValue& value) {
    switch (value.type) {
    case kRegBinary:
        return LittleEndian(value.bytes) != 0;
    case kRegDword:
        return value.bytes.size() == 4 && LittleEndian(value.bytes) != 0;
    default:
        return false;
    }
}

bool NamesProxyServer(const RawRegValue& value) {
    return (value.type == kRegSz || value.type == kRegExpandSz) && !value.bytes.empty() &&
           value.bytes[0] != 0;
}

Win32ConnectionMonitor::Win32ConnectionMonitor()
    : native_(std::make_unique<Win32NativeSystemCalls>()), calls_(*native_) {}

Win32ConnectionMonitor::Win32ConnectionMonitor(Win32SystemCalls& calls) : calls_(calls) {}

Win32ConnectionMonitor::~Win32ConnectionMonitor() = default;

ConnectionKind Win32ConnectionMonitor::kind() {
    if (proxyConfigured()) {
        return ConnectionKind::Proxy;
    }
    return dialUpCount() > 0 ? ConnectionKind::DialUp : ConnectionKind::None;
}

std::string Win32ConnectionMonitor::takeFailure() {
    return std::exchange(failure_, {});
}

// The key is opened for reading only, never made; a missing key, a missing value or one of
// another type means no proxy.
bool Win32ConnectionMonitor::proxyConfigured() {
    const auto enable = calls_.readUserValue(kInternetSettingsKey, "ProxyEnable");
    if (!enable || !ProxyEnableIsOn(*enable)) {
        return false;
    }
    const auto server = calls_.readUserValue(kInternetSettingsKey, "ProxyServer");
    return server && NamesProxyServer(*server);
}

std::uint32_t Win32ConnectionMonitor::dialUpCount() {
    const std::uintptr_t library = calls_.loadLibrary("rasapi32.dll");
    if (library == 0) {
        return 0;
    }
    std::uint32_t count = 0;
    const std::uintptr_t enumerate = calls_.procedureAddress(library, "RasEnumConnectionsA");
    if (enumerate == 0) {
        if (!missingFunctionSeen_) {
            missingFunctionSeen_ = true;
            failure_ = "Функция RasEnumConnectionsA не найдена в библиотеке rasapi32.dll: соединения "
                       "удалённого доступа не будут учитываться.";
        }
    } else {
        std::vector<std::uint8_t> records(std::size_t{kRasConnectionRecords} * kRasConnectionRecordSize, 0);
        for (std::size_t i = 0; i < sizeof kRasConnectionRecordSize; ++i) {
            records[i] =
                static_cast<std::uint8_t>(kRasConnectionRecordSize >> (8 * i)); // the first record's size
        }
        std::uint32_t size = static_cast<std::uint32_t>(records.size());
        std::uint32_t reported = 0;
        const std::uint32_t result = calls_.rasEnumConnections(enumerate, records.data(), &size, &reported);
        // Too small a buffer still gives the count of all connections.
        if (result == 0 || result == kRasBufferTooSmall) {
            count = reported;
        }
    }
    calls_.freeLibrary(library);
    return count;
}

} // namespace domora
