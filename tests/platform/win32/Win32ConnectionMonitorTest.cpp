#include "platform/win32/Win32ConnectionMonitor.h"
#include "RecordingSystemCalls.h"
#include "Win32TestSupport.h"

#include <optional>

namespace domora {
namespace {

using Log = std::vector<std::string>;
using test::RecordingSystemCalls;

constexpr std::uint32_t kBuffer = kRasConnectionRecords * kRasConnectionRecordSize;
constexpr char kMissingFunction[] =
    "Функция RasEnumConnectionsA не найдена в библиотеке rasapi32.dll: соединения "
    "удалённого доступа не будут учитываться.";

RawRegValue Binary(std::vector<std::uint8_t> bytes) {
    return {3, std::move(bytes)};
}
RawRegValue Dword(std::uint32_t number) {
    return {4,
            {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
             static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}
RawRegValue Text(const std::string& text) {
    RawRegValue value{1, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.bytes.push_back(0);
    return value;
}

Log RasCall() {
    return {"LoadLibraryA rasapi32.dll", "GetProcAddress 7 RasEnumConnectionsA",
            "RasEnumConnectionsA 8 " + std::to_string(kBuffer) + " 0 " +
                std::to_string(kRasConnectionRecordSize) + " zeroed",
            "FreeLibrary 7"};
}

// The proxy counts when ProxyEnable, four binary bytes or a number, is not zero and
// ProxyServer names a server; then remote access is not asked.
TEST(Win32ConnectionMonitor, TheProxyOfTheUsersInternetSettingsWins) {
    const struct {
        std::optional<RawRegValue> enable;
        std::optional<RawRegValue> server;
        bool proxy;
    } cases[] = {
        {Binary({1, 0, 0, 0}), Text("proxy:3128"), true},
        {Binary({0, 0, 1, 0}), Text("proxy:3128"), true},
        {Binary({0, 0, 0, 0}), Text("proxy:3128"), false},
        {Binary({1}), Text("proxy:3128"), true}, // a shorter value reads as its bytes
        {Dword(1), Text("proxy:3128"), true},
        {Dword(0x100), Text("http=p:80;ftp=p:21"), true},
        {Dword(0), Text("proxy:3128"), false},
        {RawRegValue{1, {'1', 0}}, Text("proxy:3128"), false}, // a text is not the number
        {Dword(1), Text(""), false},
        {Dword(1), Dword(1), false},
        {Dword(1), std::nullopt, false},
        {std::nullopt, Text("proxy:3128"), false},
        {std::nullopt, std::nullopt, false}, // as when the key is missing
    };
    for (const auto& c : cases) {
        RecordingSystemCalls calls;
        calls.rasCount = 1;
        if (c.enable) {
            calls.registry[{kInternetSettingsKey, "ProxyEnable"}] = *c.enable;
        }
        if (c.server) {
            calls.registry[{kInternetSettingsKey, "ProxyServer"}] = *c.server;
        }
        Win32ConnectionMonitor monitor(calls);
        EXPECT_EQ(monitor.kind(), c.proxy ? ConnectionKind::Proxy : ConnectionKind::DialUp)
            << (c.enable ? c.enable->bytes.size() : 99);
        EXPECT_EQ(calls.log, c.proxy ? Log{} : RasCall());
        EXPECT_EQ(monitor.descriptor(), -1);
    }
}

// The library is loaded and freed at each question; the count stands when the call
// succeeded or had too small a buffer for all connections.
TEST(Win32ConnectionMonitor, DialUpConnectionsAreCountedThroughRemoteAccess) {
    const struct {
        bool loads;
        std::uint32_t result;
        std::uint32_t count;
        ConnectionKind kind;
    } cases[] = {
        {true, 0, 1, ConnectionKind::DialUp}, {true, 603, 6, ConnectionKind::DialUp},
        {true, 0, 0, ConnectionKind::None},   {true, 632, 2, ConnectionKind::None},
        {false, 0, 1, ConnectionKind::None},
    };
    for (const auto& c : cases) {
        RecordingSystemCalls calls;
        calls.libraryLoads = c.loads;
        calls.rasResult = c.result;
        calls.rasCount = c.count;
        Win32ConnectionMonitor monitor(calls);
        EXPECT_EQ(monitor.kind(), c.kind) << c.result << " " << c.count;
        EXPECT_EQ(calls.log, c.loads ? RasCall() : Log{"LoadLibraryA rasapi32.dll"});
        EXPECT_EQ(monitor.takeFailure(), "");
    }
}

// A library without the function is told once in the monitor's life, not at each question.
TEST(Win32ConnectionMonitor, AMissingFunctionIsToldOnce) {
    RecordingSystemCalls calls;
    calls.procedurePresent = false;
    Win32ConnectionMonitor monitor(calls);
    EXPECT_EQ(monitor.kind(), ConnectionKind::None);
    EXPECT_EQ(monitor.kind(), ConnectionKind::None);
    EXPECT_EQ(monitor.takeFailure(), kMissingFunction);
    EXPECT_EQ(monitor.kind(), ConnectionKind::None);
    EXPECT_EQ(monitor.takeFailure(), "");
    const Log once = {"LoadLibraryA rasapi32.dll", "GetProcAddress 7 RasEnumConnectionsA", "FreeLibrary 7"};
    Log thrice;
    for (int i = 0; i < 3; ++i) {
        thrice.insert(thrice.end(), once.begin(), once.end());
    }
    EXPECT_EQ(calls.log, thrice);
}

// The user's Internet settings of this (private) Wine prefix, moved aside for the test and
// put back after it.
class InternetSettingsTest : public ::testing::Test {
protected:
    static constexpr char kAside[] = "Software\\DomoraTestInternetSettings";

    void SetUp() override {
        DeleteRegKeyTree(RegHive::CurrentUser, kAside);
        hadSettings_ = copyTree(kInternetSettingsKey, kAside);
        DeleteRegKeyTree(RegHive::CurrentUser, kInternetSettingsKey);
    }
    void TearDown() override {
        DeleteRegKeyTree(RegHive::CurrentUser, kInternetSettingsKey);
        if (hadSettings_) {
            EXPECT_TRUE(copyTree(kAside, kInternetSettingsKey));
        }
        DeleteRegKeyTree(RegHive::CurrentUser, kAside);
    }

    static void store(const char* name, const RawRegValue& value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettingsKey, 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, name, 0, value.type, value.bytes.data(),
                                 static_cast<DWORD>(value.bytes.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

private:
    static bool copyTree(const char* from, const char* to) {
        HKEY source = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, from, 0, KEY_READ, &source) != ERROR_SUCCESS) {
            return false;
        }
        HKEY target = nullptr;
        bool copied = false;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target,
                            nullptr) == ERROR_SUCCESS) {
            copied = RegCopyTreeA(source, nullptr, target) == ERROR_SUCCESS;
            RegCloseKey(target);
        }
        RegCloseKey(source);
        return copied;
    }

    bool hadSettings_ = false;
};

// The values as the system stores them, read through the system's own registry and
// rasapi32.dll (Wine's counts no connection and has the function).
TEST_F(InternetSettingsTest, TheRealRegistryAndRemoteAccessLibraryAreRead) {
    Win32ConnectionMonitor monitor;
    EXPECT_EQ(monitor.kind(), ConnectionKind::None);                             // no key at all
    EXPECT_FALSE(ListRegValueNames(RegHive::CurrentUser, kInternetSettingsKey)); // and none made

    store("ProxyServer", Text("10.0.0.1:3128"));
    store("ProxyEnable", Binary({1, 0, 0, 0}));
    EXPECT_EQ(monitor.kind(), ConnectionKind::Proxy);
    store("ProxyEnable", Dword(1));
    EXPECT_EQ(monitor.kind(), ConnectionKind::Proxy);
    store("ProxyEnable", Binary({0, 0, 0, 0}));
    EXPECT_EQ(monitor.kind(), ConnectionKind::None);
    store("ProxyEnable", Dword(1));
    store("ProxyServer", Text(""));
    EXPECT_EQ(monitor.kind(), ConnectionKind::None);
    EXPECT_EQ(monitor.takeFailure(), ""); // the function was found
}

} // namespace
} // namespace domora
