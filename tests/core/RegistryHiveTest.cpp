#include "core/app/MemoryRegistry.h"
#include "core/app/RegistryNames.h"
#include "core/base/Cp1251.h"
#include "testing/core/TestData.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace domora {
namespace {

RegValue Dw(std::string name, std::uint32_t v) {
    return {std::move(name), RegType::Dword, v, {}, {}};
}
RegValue Str(std::string name, std::string v) {
    return {std::move(name), RegType::String, 0, std::move(v), {}};
}
RegValue Bin(std::string name, std::vector<std::uint8_t> v) {
    return {std::move(name), RegType::Binary, 0, {}, std::move(v)};
}

// Every value is read back from the text exactly as it was written, byte for byte, under any
// name the text can hold, and the file stays UTF-8 text whatever the strings hold; a key
// without values and the other hive come back too.
TEST(RegistryHive, EveryValueSurvivesWritingAndReading) {
    std::vector<RegValue> values = {Str("\"q\" \\ [x] a]", "C:\\a \"b\"\\"),
                                    Str("", "Время 😀"),
                                    Dw("Zero", 0),
                                    Dw("Max", 0xFFFFFFFFU),
                                    Bin("None", {}),
                                    Bin("Bytes", {0, 0x0a, 0x22, 0x5c, 0xff})};
    for (const std::string& text :
         {""s, "  two  "s, "a\x7f\xEF\xBF\xBD"s, "one\r\ntwo\n"s, "\x01\t\x1f"s, "a\0b"s, "\0"s, "end\0"s,
          "\xff"s, "cut \xD0"s, "\xC0\xAF"s, "\xED\xB2\x80"s, "\xF4\x90\x80\x80"s, "\xD0\n\xff\x80x"s,
          "\xfe\0"s, "\xD0\x96\xE2\x82\xAC\xF0\x9F\x98\x80\r"s}) {
        values.push_back(Str("S" + std::to_string(values.size()), text));
    }
    RegistryHive hive;
    hive.createKey(RegHive::CurrentUser, "\\Software\\Empty");
    hive.setValue(RegHive::LocalMachine, "Software\\Run", Bin("B", {0x00, 0xAB, 0xFF}));
    for (const RegValue& v : values) {
        hive.setValue(RegHive::CurrentUser, "Software\\a]b]", v);
    }
    const std::string text = hive.serialise();
    std::u32string chars;
    EXPECT_TRUE(DecodeUtf8(text, chars)) << text;
    std::string error;
    const auto parsed = RegistryHive::parse(text, &error);
    ASSERT_TRUE(parsed.has_value()) << error;
    for (const RegValue& v : values) {
        EXPECT_EQ(parsed->value(RegHive::CurrentUser, "Software\\a]b]", v.name), v) << v.name;
    }
    EXPECT_EQ(parsed->serialise(), text);
    EXPECT_EQ(parsed->keys().size(), 3U);
    EXPECT_NE(text.find("@=\"Время 😀\"\r\n"), std::string::npos); // UTF-8 text stays quoted
}

// A file written before reads and is written back the same, byte for byte.
TEST(RegistryHive, StoredFilesAreWrittenBackUnchanged) {
    const std::string head =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\X]\r\n";
    for (const std::string& text :
         {ReadTestData("registry-defaults.reg"), head + "\"Lines\"=hex(1):61,00,0d,00,0a,00,00,00\r\n",
          head + "\"Odd\"=\"\xD0\x96 \\\"q\\\" \\\\ ]\"\r\n@=dword:0000002a\r\n"}) {
        std::string error;
        const auto parsed = RegistryHive::parse(text, &error);
        ASSERT_TRUE(parsed.has_value()) << error;
        EXPECT_EQ(parsed->serialise(), text);
    }
}

TEST(RegistryHive, ParseIsLenientAboutLayout) {
    const std::string text = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n"
                             "; a comment\n"
                             "[hkey_current_user\\Software\\X]\n"
                             "  \"A\" = dword:A  \n"
                             "\"B\"=hex:01,02,\\\n"
                             "  03\n"
                             "\"C\"=\"keep \\q\"\n"
                             "\"a\"=dword:2\n";
    std::string error;
    const auto hive = RegistryHive::parse(text, &error);
    ASSERT_TRUE(hive.has_value()) << error;
    EXPECT_EQ(hive->value(RegHive::CurrentUser, "\\SOFTWARE\\x", "A"), Dw("A", 2)); // later duplicate wins
    EXPECT_EQ(hive->value(RegHive::CurrentUser, "Software\\X", "B")->binary,
              (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(hive->value(RegHive::CurrentUser, "Software\\X", "C")->text, "keep \\q");
}

TEST(RegistryHive, DamagedTextIsRejectedWithAReason) {
    const std::string head = "Windows Registry Editor Version 5.00\r\n\r\n";
    std::vector<std::string> cases = {"",
                                      "REGEDIT4\r\n",
                                      head + "\"A\"=dword:1\r\n",
                                      head + "[HKEY_CLASSES_ROOT\\X]",
                                      head + "[HKEY_CURRENT_USER\\X",
                                      head + "[HKEY_CURRENT_USER]"};
    // Lines inside a key.
    for (const char* line :
         {"garbage", "\"A\"=dword:123456789", "\"A\"=dword:12g4", "\"A\"=dword:", "\"A\"=hex:00,1x",
          "\"A\"=hex:00,,01", "\"A\"=hex:100", "\"A\"=hex(1):41", "\"A\"=hex(7):00,00", "\"A\"=\"open",
          "\"A\"=\"x\" y", "\"A", "\"A\" dword:1", "\"A\"=-", "\"A\"="}) {
        cases.push_back(head + "[HKEY_CURRENT_USER\\Software\\X]\r\n" + line + "\r\n");
    }
    for (const std::string& text : cases) {
        std::string error;
        EXPECT_FALSE(RegistryHive::parse(text, &error).has_value()) << text;
        EXPECT_EQ(error.rfind("Строка ", 0), 0U) << text << " -> " << error;
    }
}

TEST(RegistryHive, KeysAndNamesIgnoreLetterCase) {
    RegistryHive hive;
    hive.setValue(RegHive::CurrentUser, "\\Software\\Tervo\\Domora_Lite\\Main", Dw("OnTop", 1));
    EXPECT_TRUE(hive.keyExists(RegHive::CurrentUser, "\\software\\TERVO\\Domora_Lite"));
    EXPECT_FALSE(hive.keyExists(RegHive::CurrentUser, "\\Software\\Terv"));
    EXPECT_FALSE(hive.keyExists(RegHive::LocalMachine, "\\Software\\Tervo"));
    hive.setValue(RegHive::CurrentUser, "software\\tervo\\domora_lite\\main", Dw("ONTOP", 0));
    hive.setValue(RegHive::CurrentUser, "\\Software\\Tervo\\Domora_Lite\\Main", Str("Имя", "x"));
    EXPECT_EQ(hive.value(RegHive::CurrentUser, "\\Software\\Tervo\\Domora_Lite\\Main", "иМЯ")->text, "x");
    ASSERT_EQ(hive.keys().size(), 1U);
    EXPECT_EQ(hive.keys()[0].values[0], Dw("OnTop", 0)); // keeps its place and its spelling
    EXPECT_TRUE(hive.deleteValue(RegHive::CurrentUser, "\\Software\\Tervo\\Domora_Lite\\Main", "onTop"));
    EXPECT_FALSE(hive.deleteValue(RegHive::CurrentUser, "\\Software\\Tervo\\Domora_Lite\\Main", "onTop"));
}

TEST(MemoryRegistry, ReadsFailOnMissingOrOtherTypedValues) {
    MemoryRegistry registry;
    EXPECT_EQ(registry.openKey(RegHive::CurrentUser, "\\Software\\X", false), nullptr);
    auto key = registry.openKey(RegHive::CurrentUser, "\\Software\\X", true);
    ASSERT_NE(key, nullptr);
    key->writeInteger("N", 5);
    key->writeString("S", "текст");
    key->writeDouble("D", 36526.5);
    registry.hive().setValue(RegHive::CurrentUser, "\\Software\\X", Bin("Short", {1, 2, 3}));
    EXPECT_EQ(key->readInteger("N"), 5U);
    EXPECT_EQ(key->readString("S"), "текст");
    EXPECT_EQ(key->readDouble("D"), 36526.5);
    EXPECT_EQ(registry.hive().value(RegHive::CurrentUser, "\\Software\\X", "D")->binary,
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0xD0, 0xD5, 0xE1, 0x40}));
    EXPECT_THROW(key->readString("N"), RegistryError);
    EXPECT_THROW(key->readInteger("S"), RegistryError);
    EXPECT_THROW(key->readDouble("N"), RegistryError);
    EXPECT_THROW(key->readDouble("Short"), RegistryError);
    EXPECT_THROW(key->readBool("Missing"), RegistryError);
    EXPECT_TRUE(key->deleteValue("n"));
    EXPECT_FALSE(key->valueExists("N"));
    key->close();
    EXPECT_THROW(key->readString("S"), RegistryError);
}

// A name the settings file cannot hold on one line of UTF-8 text is refused with the reason.
TEST(MemoryRegistry, NamesTheTextCannotHoldAreRefused) {
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"a\nb", "в имени есть перевод строки"},
        {"end\r", "в имени есть перевод строки"},
        {"a\0b"s, "в имени есть нулевой символ"},
        {"\tb", "в имени есть управляющий символ с кодом 9"},
        {"\xD0x", "имя записано не в кодировке UTF-8"}};
    MemoryRegistry registry;
    auto key = registry.openKey(RegHive::CurrentUser, "Software\\X", true);
    for (const auto& [name, reason] : refused) {
        try {
            key->writeString(name, "x");
            ADD_FAILURE() << name;
        } catch (const RegistryError& e) {
            EXPECT_EQ(e.what(), "Значение «" + ShownRegName(name) + "» не записано: " + reason + ".");
        }
        try {
            OpenKeyOrThrow(registry, "Software\\" + name, true);
            ADD_FAILURE() << name;
        } catch (const RegistryError& e) {
            EXPECT_NE(std::string(e.what()).find(": " + reason + "."), std::string::npos) << e.what();
        }
    }
    ASSERT_EQ(registry.hive().keys().size(), 1U);
    EXPECT_TRUE(registry.hive().keys()[0].values.empty());
}

} // namespace
} // namespace domora
