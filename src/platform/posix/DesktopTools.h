#pragma once

#include "platform/SystemActions.h"

#include <string>
#include <vector>

namespace domora {

class PosixLauncher;

// The standard tools of the Service page, the first of the usual Linux programs for each
// that is installed, started without waiting for it. The text editor and the browser are
// the desktop's defaults where it names them (xdg-mime, started by gtk-launch).
class DesktopTools {
public:
    // `settingsFile`: the program's settings file, which "the registry editor" opens in
    // the text editor.
    DesktopTools(PosixLauncher& launcher, std::string settingsFile);

    ActionResult run(SystemTool tool);

private:
    ActionResult startFirst(const std::string& what, const std::vector<std::string>& programs);
    ActionResult openText(const std::string& file);
    ActionResult openBrowser();
    // Starts the desktop's default program for `mimeType` through gtk-launch; false when
    // the desktop names none or gtk-launch is missing.
    bool startDefault(const std::string& mimeType, const std::vector<std::string>& files,
                      ActionResult& result);
    // Starts the program, or says in Russian why it did not start.
    ActionResult start(const std::string& program, const std::vector<std::string>& arguments);

    PosixLauncher& launcher_;
    std::string settingsFile_;
};

} // namespace domora
