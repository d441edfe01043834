#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Autostart.h"

#include "core/app/RegistryHive.h"
#include "core/app/Settings.h"
#include "core/base/Cp1251.h"
#include "testing/core/TestData.h"

#include <gtest/gtest.h>

#include <set>

namespace domora {
namespace {

const std::string kTestKey = "\\Software\\Tervo\\DomoraWin32Test";

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegKeyTree(RegHive::CurrentUser, "\\Software\\Tervo"); }
    void TearDown() override { DeleteRegKeyTree(RegHive::CurrentUser, "\\Software\\Tervo"); }

    Win32Registry registry;
};

std::vector<std::uint8_t> BytesOf(const RegValue& value) {
    switch (value.type) {
    case RegType::Dword:
        return {static_cast<std::uint8_t>(value.dword), static_cast<std::uint8_t>(value.dword >> 8),
                static_cast<std::uint8_t>(value.dword >> 16), static_cast<std::uint8_t>(value.dword >> 24)};
    case RegType::String: {
        const std::string ansi = Utf8ToCp1251Lossy(value.text);
        std::vector<std::uint8_t> bytes(ansi.begin(), ansi.end());
        bytes.push_back(0);
        return bytes;
    }
    case RegType::Binary:
        return value.binary;
    }
    return {};
}

std::uint32_t TypeCodeOf(RegType type) {
    switch (type) {
    case RegType::Dword:
        return 4; // REG_DWORD
    case RegType::String:
        return 1; // REG_SZ
    case RegType::Binary:
        return 3; // REG_BINARY
    }
    return 0;
}

// The first run writes, through the system registry, exactly the keys and values the
// Linux store holds after it: same names, same types, same bytes.
TEST_F(Win32RegistryTest, DefaultsMatchTheLinuxHiveValueForValue) {
    std::string error;
    const auto expected = RegistryHive::parse(ReadTestData("registry-defaults.reg"), &error);
    ASSERT_TRUE(expected) << error;

    WriteDefaults(registry);

    const std::string prefix = "HKEY_CURRENT_USER";
    std::size_t checked = 0;
    for (const RegKeyData& key : expected->keys()) {
        ASSERT_EQ(key.fullPath.rfind(prefix, 0), 0U) << key.fullPath;
        const std::string path = key.fullPath.substr(prefix.size());
        const auto names = ListRegValueNames(RegHive::CurrentUser, path);
        ASSERT_TRUE(names) << "missing key " << path;
        EXPECT_EQ(names->size(), key.values.size()) << path;
        for (const RegValue& value : key.values) {
            const auto raw = ReadRawRegValue(RegHive::CurrentUser, path, value.name);
            ASSERT_TRUE(raw) << path << " " << value.name;
            EXPECT_EQ(raw->type, TypeCodeOf(value.type)) << path << " " << value.name;
            EXPECT_EQ(raw->bytes, BytesOf(value)) << path << " " << value.name;
            ++checked;
        }
    }
    EXPECT_GT(checked, 90U);
}

TEST_F(Win32RegistryTest, CyrillicTextIsStoredInCodePage1251AndReadsBackWide) {
    const std::string text = "Напоминания: ёЁ №5 «Опции»";
    {
        auto key = registry.openKey(RegHive::CurrentUser, kTestKey, true);
        ASSERT_TRUE(key);
        key->writeString("Текст", text);
        EXPECT_EQ(key->readString("Текст"), text);
        key->close();
    }
    EXPECT_EQ(ReadRegStringWide(RegHive::CurrentUser, kTestKey, "Текст"), text);
    const auto raw = ReadRawRegValue(RegHive::CurrentUser, kTestKey, "Текст");
    ASSERT_TRUE(raw);
    std::string ansi;
    ASSERT_TRUE(Utf8ToCp1251(text, ansi));
    EXPECT_EQ(std::string(raw->bytes.begin(), raw->bytes.end()), ansi + '\0');
}

TEST_F(Win32RegistryTest, ReadsOfAnotherTypeOrAMissingValueFail) {
    auto key = registry.openKey(RegHive::CurrentUser, kTestKey, true);
    ASSERT_TRUE(key);
    key->writeInteger("Number", 0x12345678U);
    key->writeString("Text", "abc");
    key->writeDouble("Double", 2.5);
    EXPECT_EQ(key->readInteger("Number"), 0x12345678U);
    EXPECT_EQ(key->readDouble("Double"), 2.5);

    const std::vector<std::string> names = {"Number", "Text", "Double", "Missing"};
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        if (name != "Number") {
            EXPECT_THROW(key->readInteger(name), RegistryError);
        }
        if (name != "Text") {
            EXPECT_THROW(key->readString(name), RegistryError);
        }
        if (name != "Double") {
            EXPECT_THROW(key->readBinary8(name), RegistryError);
        }
        EXPECT_EQ(key->valueExists(name), name != "Missing");
    }
    // A text the code page cannot hold is refused, not stored as question marks.
    EXPECT_THROW(key->writeString("Other", "日本"), RegistryError);
    EXPECT_FALSE(key->valueExists("Other"));

    EXPECT_TRUE(key->deleteValue("Text"));
    EXPECT_FALSE(key->deleteValue("Text"));
    key->close();
    EXPECT_THROW(key->readInteger("Number"), RegistryError);
}

TEST_F(Win32RegistryTest, OpeningWithoutCreatingFindsOnlyExistingKeys) {
    EXPECT_EQ(registry.openKey(RegHive::CurrentUser, kTestKey, false), nullptr);
    ASSERT_NE(registry.openKey(RegHive::CurrentUser, kTestKey + "\\Sub", true), nullptr);
    EXPECT_NE(registry.openKey(RegHive::CurrentUser, kTestKey, false), nullptr);
    EXPECT_NE(registry.openKey(RegHive::CurrentUser, "Software\\Tervo\\DomoraWin32Test\\Sub", false),
              nullptr);
}

// The path is UTF-8 in the program and stored in the code page, so the system reads the
// same name back.
TEST(Win32AutostartTest, StoresThePathUnderTheMachineRunKey) {
    Win32Autostart autostart;
    const std::string runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string path = "C:\\Программы\\Domora\\Domora.exe";
    autostart.remove();
    EXPECT_FALSE(autostart.isSet());
    EXPECT_FALSE(autostart.set("C:\\日本\\Domora.exe"));
    EXPECT_FALSE(autostart.isSet());
    ASSERT_TRUE(autostart.set(path));
    EXPECT_TRUE(autostart.isSet());
    const auto raw = ReadRawRegValue(RegHive::LocalMachine, runKey, "Domora");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, 1U);
    EXPECT_EQ(ReadRegStringWide(RegHive::LocalMachine, runKey, "Domora"), path);
    EXPECT_TRUE(autostart.remove());
    EXPECT_FALSE(autostart.remove());
    EXPECT_FALSE(autostart.isSet());
}

} // namespace
} // namespace domora
