#include "platform/posix/FileRegistry.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace domora {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

const std::string MainKey = "\\Software\\Tervo\\Domora_Lite\\Main";
const std::array<std::uint8_t, 8> Money{0x00, 0x01, 0x7f, 0x80, 0xfe, 0xff, 0x10, 0x20};

TEST(FileRegistry, ValuesOfAllTypesSurviveAFreshStore) {
    TempFolder tmp;
    const std::string file = tmp.path("config/domora/registry.reg"); // folders made on demand
    {
        FileRegistry registry(file);
        EXPECT_EQ(registry.openKey(RegHive::CurrentUser, MainKey, false), nullptr);
        auto key = registry.openKey(RegHive::CurrentUser, MainKey, true);
        ASSERT_NE(key, nullptr);
        key->writeInteger("StartHow2", 0xfedcba98U);
        key->writeString("StartWith", "Напоминания \"в кавычках\" и C:\\путь");
        key->writeBinary8("Last_Money", Money);
        EXPECT_EQ(key->readInteger("StartHow2"), 0xfedcba98U); // own writes read back at once
        key->close();
        auto machine = registry.openKey(RegHive::LocalMachine, "\\Software\\Run", true);
        machine->writeString("Domora", "/opt/domora/domora");
    }
    const auto text = ReadFile(file);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("\"StartWith\"=\"Напоминания"), std::string::npos) << *text;
    EXPECT_NE(text->find("HKEY_LOCAL_MACHINE"), std::string::npos) << *text;

    FileRegistry again(file);
    auto key = again.openKey(RegHive::CurrentUser, MainKey, false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->readInteger("StartHow2"), 0xfedcba98U);
    EXPECT_EQ(key->readString("StartWith"), "Напоминания \"в кавычках\" и C:\\путь");
    EXPECT_EQ(key->readBinary8("Last_Money"), Money);
    EXPECT_EQ(again.openKey(RegHive::LocalMachine, "\\Software\\Run", false)->readString("Domora"),
              "/opt/domora/domora");
    // A missing value and a value of another type are errors.
    EXPECT_THROW(key->readInteger("Missing"), RegistryError);
    EXPECT_THROW(key->readInteger("StartWith"), RegistryError);
    EXPECT_THROW(again.openKey(RegHive::CurrentUser, "\\", true)->writeInteger("AtRoot", 1), RegistryError);
    EXPECT_TRUE(key->deleteValue("StartHow2"));
    EXPECT_FALSE(key->deleteValue("StartHow2"));
    key->close();
    EXPECT_FALSE(FileRegistry(file).openKey(RegHive::CurrentUser, MainKey, false)->valueExists("StartHow2"));
}

TEST(FileRegistry, KeyCreatedWithoutValuesIsStored) {
    TempFolder tmp;
    WriteFile(tmp.path(".registry.reg.tmp-a1B2c3"), "left by a killed write"); // gone after the write
    FileRegistry registry(tmp.path("registry.reg"));
    registry.openKey(RegHive::CurrentUser, "\\Software\\Tervo\\Domora_Lite", true)->close();
    EXPECT_EQ(test::Listing(tmp.path()), "registry.reg registry.reg.lock");
    EXPECT_NE(FileRegistry(tmp.path("registry.reg"))
                  .openKey(RegHive::CurrentUser, "Software\\Tervo\\Domora_Lite", false),
              nullptr);
    EXPECT_NE(ReadFile(tmp.path("registry.reg"))->find("[HKEY_CURRENT_USER\\Software\\Tervo\\Domora_Lite]"),
              std::string::npos);
}

TEST(FileRegistry, TwoProgramsWritingAtOnceKeepEachOthersValues) {
    TempFolder tmp;
    const std::string file = tmp.path("registry.reg");
    FileRegistry domora(file);
    FileRegistry tallyup(file);
    {
        auto seed = domora.openKey(RegHive::CurrentUser, MainKey, true);
        seed->writeInteger("Old", 1);
        seed->writeInteger("Gone", 2);
    }
    auto first = domora.openKey(RegHive::CurrentUser, MainKey, false);
    auto second =
        tallyup.openKey(RegHive::CurrentUser, "\\Software\\Tervo\\Domora_Lite\\Balans\\Money", true);
    first->writeString("StartWith", "Опции");
    EXPECT_TRUE(first->deleteValue("Gone"));
    second->writeInteger("Avans", 12345);
    first->close();
    second->close(); // applied onto the file as the first key left it

    FileRegistry reader(file);
    auto main = reader.openKey(RegHive::CurrentUser, MainKey, false);
    EXPECT_EQ(main->readString("StartWith"), "Опции");
    EXPECT_EQ(main->readInteger("Old"), 1U);
    EXPECT_FALSE(main->valueExists("Gone"));
    EXPECT_EQ(reader.openKey(RegHive::CurrentUser, "\\Software\\Tervo\\Domora_Lite\\Balans\\Money", false)
                  ->readInteger("Avans"),
              12345U);
}

TEST(FileRegistry, UnitStoppedByAnErrorKeepsWhatItWroteBefore) {
    TempFolder tmp;
    const std::string file = tmp.path("registry.reg");
    FileRegistry registry(file);
    registry.openKey(RegHive::CurrentUser, MainKey, true)->writeInteger("Earlier", 7);
    try {
        auto key = registry.openKey(RegHive::CurrentUser, MainKey, false);
        key->writeInteger("OnTop", 1);
        key->readInteger("NotThere"); // stops the unit; the key is destroyed unwinding
        key->writeInteger("After", 1);
    } catch (const RegistryError&) {
    }
    auto key = FileRegistry(file).openKey(RegHive::CurrentUser, MainKey, false);
    EXPECT_EQ(key->readInteger("Earlier"), 7U);
    EXPECT_EQ(key->readInteger("OnTop"), 1U);
    EXPECT_FALSE(key->valueExists("After"));
}

TEST(FileRegistry, NamesTheFileCannotHoldAreRefusedAndNothingIsWritten) {
    TempFolder tmp;
    const std::string file = tmp.path("registry.reg");
    FileRegistry registry(file);
    registry.openKey(RegHive::CurrentUser, MainKey, true)->writeInteger("OnTop", 1);
    const auto before = ReadFile(file);
    for (const std::string& name : {"a\nb"s, "a\r"s, "\0"s, "\x01"s, "\xff"s}) {
        auto key = registry.openKey(RegHive::CurrentUser, MainKey, false);
        EXPECT_THROW(key->writeString(name, "x"), RegistryError) << name;
        EXPECT_THROW(key->writeInteger(name, 1), RegistryError) << name;
        key->close();
        EXPECT_EQ(registry.openKey(RegHive::CurrentUser, MainKey + "\\" + name, true), nullptr) << name;
        EXPECT_EQ(ReadFile(file), before) << name;
    }
    EXPECT_EQ(test::Listing(tmp.path()), "registry.reg registry.reg.lock");
    EXPECT_EQ(registry.openKey(RegHive::CurrentUser, MainKey, false)->readInteger("OnTop"), 1U);
    EXPECT_EQ(registry.takeDamageReport(), "");
}

TEST(FileRegistry, DamagedFileIsKeptReportedOnceAndReplaced) {
    TempFolder tmp;
    const std::string file = tmp.path("registry.reg");
    // A value outside any key: the file was cut or edited by hand.
    const std::string garbage = "Windows Registry Editor Version 5.00\r\n\r\n\"StartWith\"=\"x\"\r\n";
    WriteFile(file, garbage);
    WriteFile(file + ".damaged", "an older copy");
    FileRegistry registry(file);
    EXPECT_EQ(registry.openKey(RegHive::CurrentUser, MainKey, false), nullptr);
    EXPECT_EQ(registry.takeDamageReport(), "Не удалось прочитать настройки программы: файл «" + file +
                                               "» повреждён. Настройки возвращены к исходным, повреждённый "
                                               "файл сохранён как «" +
                                               file + ".damaged-2».");
    EXPECT_EQ(registry.takeDamageReport(), "");
    EXPECT_EQ(ReadFile(file + ".damaged-2"), garbage);
    EXPECT_EQ(ReadFile(file + ".damaged"), "an older copy");

    registry.openKey(RegHive::CurrentUser, MainKey, true)->writeInteger("StartHow1", 1);
    EXPECT_EQ(FileRegistry(file).openKey(RegHive::CurrentUser, MainKey, false)->readInteger("StartHow1"), 1U);
    EXPECT_EQ(registry.takeDamageReport(), "");
}

} // namespace
} // namespace domora
