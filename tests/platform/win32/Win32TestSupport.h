#pragma once

// Helpers shared by the Windows tests: paths between UTF-8 and the system's wide form, the
// test helper program beside the test executable, and reading what it echoes back.

#include "core/app/ProgramStarter.h"
#include "platform/win32/Win32AppLocation.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32Text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <variant>
#include <vector>

namespace domora::test {

namespace fs = std::filesystem;

// Paths are UTF-8 in the program; std::filesystem takes them wide here.
inline fs::path PathOf(const std::string& utf8) {
    return fs::path(Utf8ToWide(utf8).value());
}
inline std::string Utf8Of(const fs::path& path) {
    return WideToUtf8(path.wstring());
}

inline std::string HelperPath() {
    return Win32AppLocation().executableDir() + "domora_test_helper.exe";
}

inline std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// What the helper wrote, once it has written it.
inline std::optional<std::string> WaitForFile(const std::string& path) {
    Win32FileStore files;
    for (int i = 0; i < 200; ++i) {
        if (auto text = files.readAll(path)) {
            return text;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

// A folder in the temporary folder, named for this run.
inline fs::path RunFolder(const std::string& stem) {
    return fs::temp_directory_path() /
           (stem + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
}

// Core logic starts programs through its own port; here it goes straight to the launcher.
class LaunchingStarter final : public ProgramStarter {
public:
    int startProgram(const std::string& file, const std::vector<std::string>& fields,
                     const std::string& directory) override {
        results.push_back(launcher.startProgram(file, fields, directory));
        return results.back();
    }
    std::unique_ptr<WatchedProgram> startWatched(const std::string& file,
                                                 const std::vector<std::string>& fields,
                                                 const std::string& directory,
                                                 std::string* failure) override {
        return launcher.startWatched(file, fields, directory, failure);
    }
    std::string shortPathOf(const std::string& path) override { return launcher.shortPathOf(path); }

    Win32Launcher launcher;
    std::vector<int> results;
};

// An argument expected as this very text, or as a path without blanks naming this file.
using Expected = std::variant<std::string, fs::path>;

// The test helper copied under the note program's name beside this executable, where the
// launcher finds a bare program name; it writes its working folder, its own path and each
// argument, one a line, to `echo`. Removed with `root` at the end (it may still be running
// from its copy for a while).
class NoteProgramStandIn {
public:
    NoteProgramStandIn(const std::string& name, fs::path root)
        : root_(std::move(root)), echo_(root_ / "echo.txt") {
        const std::string exeDir = Win32AppLocation().executableDir();
        note_ = PathOf(exeDir + name);
        fs::copy_file(PathOf(HelperPath()), note_, fs::copy_options::overwrite_existing);
        SetEnvironmentVariableW(L"DOMORA_TEST_ECHO", echo_.wstring().c_str());
    }
    ~NoteProgramStandIn() {
        SetEnvironmentVariableW(L"DOMORA_TEST_ECHO", nullptr);
        for (int i = 0; i < 100; ++i) {
            std::error_code error;
            fs::remove(note_, error);
            if (!error) {
                fs::remove_all(root_, error);
            }
            if (!error) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        ADD_FAILURE() << "left behind: " << Utf8Of(root_);
    }
    NoteProgramStandIn(const NoteProgramStandIn&) = delete;
    NoteProgramStandIn& operator=(const NoteProgramStandIn&) = delete;

    const fs::path& path() const { return note_; }

    // The lines of the last start, taken away for the next one.
    std::optional<std::vector<std::string>> takeEcho() const {
        const auto text = WaitForFile(Utf8Of(echo_));
        if (!text) {
            return std::nullopt;
        }
        fs::remove(echo_);
        return LinesOf(*text);
    }

    // Checks the last start: the working folder, the program's own path, then each argument,
    // as this very text or as a path without blanks naming this file.
    void expectStart(const fs::path& folder, const std::vector<Expected>& arguments) const {
        const auto lines = takeEcho();
        ASSERT_TRUE(lines) << "the note program did not start";
        ASSERT_EQ(lines->size(), 2 + arguments.size()) << ::testing::PrintToString(*lines);
        EXPECT_TRUE(fs::equivalent(PathOf((*lines)[0]), folder)) << (*lines)[0];
        EXPECT_TRUE(fs::equivalent(PathOf((*lines)[1]), note_)) << (*lines)[1];
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const std::string& argument = (*lines)[2 + i];
            if (const auto* file = std::get_if<fs::path>(&arguments[i])) {
                EXPECT_EQ(argument.find(' '), std::string::npos) << argument;
                EXPECT_TRUE(fs::exists(PathOf(argument)) && fs::equivalent(PathOf(argument), *file))
                    << argument << " is not " << Utf8Of(*file);
            } else {
                EXPECT_EQ(argument, std::get<std::string>(arguments[i]));
            }
        }
    }

private:
    fs::path root_;
    fs::path echo_;
    fs::path note_;
};

} // namespace domora::test
