#pragma once

#include <string>
#include <vector>

namespace domora {

// What domora's command line asks for.
enum class ProgramAction {
    Run,     // start the program
    Help,    // print the usage text and exit with 0
    Version, // print the name and the version and exit with 0
    Refuse,  // print `error` on standard error and exit with 2
};

struct ProgramOptions {
    ProgramAction action = ProgramAction::Run;
    std::string error; // in Russian, when the command line cannot be understood
};

// `arguments`: the arguments after the program's name. The program's own options are
// -h/--help and -v/--version; the window toolkit's standard options (-display, -platform,
// -style, -session, ... with one dash or two, a value as the next argument or after '=')
// are left to the toolkit, which a session manager restarting the program relies on.
// Anything else is refused, without starting the program. The first of --help and
// --version wins over whatever follows it.
ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);

// The usage text of --help (Russian, UTF-8, ends with a line break).
std::string ProgramHelpText();

// The line of --version: the program's name and `version`.
std::string ProgramVersionText(const std::string& version);

} // namespace domora
