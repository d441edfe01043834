// The alarm windows on the recording platform: the alarm file of the golden records in a
// memory file store, the list, the editor and the message dialog, as the program joins them.

#pragma once

#include "core/alarms/AlarmStore.h"
#include "core/app/AppPaths.h"
#include "platform/fake/FakePlatform.h"
#include "testing/core/TestData.h"
#include "testing/ui/FakeSoundPlayer.h"
#include "ui/alarms/AlarmEditor.h"
#include "ui/alarms/AlarmListView.h"
#include "ui/app/MessageDialog.h"

#include "UiTestSupport.h"

#include <memory>
#include <string>

namespace alarmtest {

inline std::string goldenAlarms() {
    return domora::ReadTestData("Budil.DMR");
}

// The n-th record (from 1) of an alarm file.
inline std::string recordOf(const std::string& bytes, int n) {
    return bytes.substr(static_cast<std::size_t>(n - 1) * domora::kAlarmRecordSize, domora::kAlarmRecordSize);
}

struct Fixture {
    domora::FakePlatform platform;
    uitest::RecordingBoxes boxes;
    domora::AppPaths paths = domora::AppPaths::FromAppDir("/app/");
    domora::AlarmStore store{platform.filesFake, paths.BudilPath, platform.clockFake};
    domora::FakeSoundPlayer player;
    domora::MessageDialog dialog;
    std::unique_ptr<domora::AlarmListView> list;
    domora::AlarmEditor* editor = nullptr;

    explicit Fixture(const std::string& alarmFile) {
        platform.clockFake.setLocal(domora::DateTime{2027, 1, 5, 3, 7, 29, 55, 0});
        platform.filesFake.put(paths.BudilPath, alarmFile);
        list = std::make_unique<domora::AlarmListView>(store, platform.filesFake, platform.clockFake, paths,
                                                       boxes, dialog, player);
        editor = &list->editor();
        store.addListener([this] { list->ShowAlarms(); });
    }

    std::string file() const { return platform.filesFake.files().at(paths.BudilPath); }

    // A control of the editor or of the list, by its object name.
    template <typename T = QWidget> T* editorPart(const char* name) const {
        return uitest::child<T>(*editor, QString::fromLatin1(name));
    }
    template <typename T = QWidget> T* listPart(const char* name) const {
        return uitest::child<T>(*list, QString::fromLatin1(name));
    }
};

} // namespace alarmtest
