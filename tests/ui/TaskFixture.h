// The task windows on the recording platform: the task file of the golden records in a
// memory file store, the list, the editor, the scheduler over the platform's task runner and
// the message dialog, as the program joins them.

#pragma once

#include "core/app/AppPaths.h"
#include "core/base/MinuteGate.h"
#include "core/tasks/TaskScheduler.h"
#include "core/tasks/TaskStore.h"
#include "platform/PlatformTaskRunner.h"
#include "platform/fake/FakePlatform.h"
#include "testing/core/TestData.h"
#include "ui/app/MessageDialog.h"
#include "ui/tasks/TaskEditor.h"
#include "ui/tasks/TaskListView.h"

#include "UiTestSupport.h"

#include <memory>
#include <string>

namespace tasktest {

inline std::string goldenTasks() {
    return domora::ReadTestData("Zadan.DMR");
}

// The n-th record (from 1) of a task file.
inline std::string recordOf(const std::string& bytes, int n) {
    return bytes.substr(static_cast<std::size_t>(n - 1) * domora::kTaskRecordSize, domora::kTaskRecordSize);
}

inline domora::TaskRecord decoded(const std::string& file, int n) {
    const std::string bytes = recordOf(file, n);
    return domora::DecodeTask(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

struct Fixture {
    domora::FakePlatform platform;
    uitest::RecordingBoxes boxes;
    domora::AppPaths paths = domora::AppPaths::FromAppDir("/app/");
    domora::TaskStore store{platform.filesFake, paths.ZadanPath};
    std::uint8_t firstPass = 1;
    domora::MinuteGate gate{firstPass};
    domora::PlatformTaskRunner runner{platform.taskStarter(), platform.actions()};
    domora::TaskScheduler scheduler{store, platform.clockFake, gate, runner};
    domora::MessageDialog dialog;
    std::unique_ptr<domora::TaskListView> list;
    domora::TaskEditor* editor = nullptr;

    explicit Fixture(const std::string& taskFile) {
        platform.clockFake.setLocal(domora::DateTime{2027, 1, 5, 3, 9, 15, 0, 0});
        platform.filesFake.put(paths.ZadanPath, taskFile);
        list = std::make_unique<domora::TaskListView>(store, scheduler, platform.filesFake,
                                                      platform.clockFake, boxes, dialog);
        editor = &list->editor();
        store.addListener([this] { list->FillZadTable(); });
    }

    std::string file() const { return platform.filesFake.files().at(paths.ZadanPath); }

    template <typename T = QWidget> T* editorPart(const char* name) const {
        return uitest::child<T>(*editor, QString::fromLatin1(name));
    }
    template <typename T = QWidget> T* listPart(const char* name) const {
        return uitest::child<T>(*list, QString::fromLatin1(name));
    }
};

} // namespace tasktest
