#include "core/app/ProgramOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace domora {
namespace {

struct Case {
    std::vector<std::string> arguments;
    ProgramAction action;
    std::string errorPart; // for Refuse: a piece the message must hold
};

TEST(ProgramOptions, ActionsForCommandLines) {
    const std::vector<Case> cases = {
        {{}, ProgramAction::Run, ""},
        {{"--help"}, ProgramAction::Help, ""},
        {{"-h"}, ProgramAction::Help, ""},
        {{"--version"}, ProgramAction::Version, ""},
        {{"-v"}, ProgramAction::Version, ""},
        // The first of the two wins, and nothing after it is looked at.
        {{"--version", "--help"}, ProgramAction::Version, ""},
        {{"--help", "--bogus"}, ProgramAction::Help, ""},
        // A session manager restarts the program with the toolkit's options.
        {{"-session", "1234abcd"}, ProgramAction::Run, ""},
        {{"--platform", "offscreen", "-reverse"}, ProgramAction::Run, ""},
        {{"-style=fusion", "--display", ":1"}, ProgramAction::Run, ""},
        // The value of a toolkit option is never taken for an option of the program.
        {{"-title", "--help"}, ProgramAction::Run, ""},
        {{"-display"}, ProgramAction::Refuse, "параметру «-display» нужно значение"},
        {{"--bogus"}, ProgramAction::Refuse, "неизвестный параметр «--bogus»"},
        {{"-x"}, ProgramAction::Refuse, "неизвестный параметр «-x»"},
        {{"-reverse=1"}, ProgramAction::Refuse, "неизвестный параметр «-reverse=1»"},
        {{"--", "x"}, ProgramAction::Refuse, "лишний аргумент «--»"},
        {{"-"}, ProgramAction::Refuse, "лишний аргумент «-»"},
        {{"notes.txt"}, ProgramAction::Refuse, "лишний аргумент «notes.txt»"},
        {{"-session", "1", "notes.txt"}, ProgramAction::Refuse, "лишний аргумент «notes.txt»"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& argument : c.arguments) {
            line += argument + ' ';
        }
        const ProgramOptions options = ParseProgramOptions(c.arguments);
        EXPECT_EQ(options.action, c.action) << line;
        if (c.action == ProgramAction::Refuse) {
            EXPECT_NE(options.error.find(c.errorPart), std::string::npos) << line << "-> " << options.error;
            EXPECT_NE(options.error.find("domora --help"), std::string::npos) << options.error;
        } else {
            EXPECT_TRUE(options.error.empty()) << line;
        }
    }
}

TEST(ProgramOptions, HelpNamesEveryOptionOfTheProgram) {
    const std::string help = ProgramHelpText();
    for (const char* option : {"-h, --help", "-v, --version", "DOMORA_HOME"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
}

} // namespace
} // namespace domora
