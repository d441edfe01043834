// The Service page: two columns of groups. Left: the clock, "Компьютер", "Монитор", "CD"
// and "Другое"; right: the standard programs and the user's folders.

#include "core/service/ShellFolders.h"
#include "platform/Platform.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"
#include "ui/service/ServiceModule.h"
#include "ui/timeservices/TimeServicesModule.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace domora {

namespace {

constexpr int kLeft = 4;
constexpr int kRight = 258;
constexpr int kColumnWidth = 250;
constexpr int kHalfButton = 117; // two buttons side by side in a group
constexpr int kFullButton = 238; // one button across a group
constexpr int kButtonHeight = 21;
constexpr int kFirstRow = 17;         // below the group's title
constexpr int kToolButtonHeight = 18; // the six "Запуск" buttons, under the clock's groups

template <typename Slot>
QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& where,
                    ServiceModule* receiver, Slot slot) {
    auto* made =
        place(new QPushButton(caption, parent), name, where.x(), where.y(), where.width(), where.height());
    QObject::connect(made, &QPushButton::clicked, receiver, slot);
    return made;
}

QRect cell(int column, int row) {
    return {6 + column * (kHalfButton + 4), kFirstRow + row * (kButtonHeight + 1), kHalfButton,
            kButtonHeight};
}

QRect wide(int row) {
    return {6, kFirstRow + row * (kButtonHeight + 1), kFullButton, kButtonHeight};
}

} // namespace

void ServiceModule::buildPage(QWidget* page) {
    QGroupBox* time = group(page, QStringLiteral("Время"), kRight, 0, 122, 66);
    time_ = field(time, "StaticText26", QString(), 8, 18, 106, 18);
    QGroupBox* date = group(page, QStringLiteral("Дата"), kRight + 126, 0, 124, 66);
    date_ = field(date, "StaticText27", QString(), 8, 18, 108, 18);
    timeServices_.addClockButtons(time, date);
    buildComputerGroup(page);
    buildMonitorGroup(page);
    buildCdGroup(page);
    buildOtherGroup(page);
    buildToolsGroup(page);
    buildFoldersGroup(page);
}

void ServiceModule::buildComputerGroup(QWidget* page) {
    QGroupBox* computer = group(page, QStringLiteral("Компьютер"), kLeft, 0, kColumnWidth, 64);
    button(computer, "LogOffButton", QStringLiteral("Завершить сеанс"), cell(0, 0), this,
           [this] { endSession(SessionEnd::LogOff); });
    button(computer, "RestartButton", QStringLiteral("Перегрузить"), cell(1, 0), this,
           [this] { endSession(SessionEnd::Restart); });
    button(computer, "PowerOffButton", QStringLiteral("Выключить"), cell(0, 1), this,
           [this] { endSession(SessionEnd::PowerOff); });
    button(computer, "SuspendButton", QStringLiteral("Приостановить работу"), cell(1, 1), this,
           &ServiceModule::suspend);
}

void ServiceModule::buildMonitorGroup(QWidget* page) {
    QGroupBox* monitor = group(page, QStringLiteral("Монитор"), kLeft, 66, kColumnWidth, 64);
    button(monitor, "MonitorOffButton", QStringLiteral("Выключить"), cell(0, 0), this,
           [this] { report(platform_.actions().monitorOff()); });
    button(monitor, "ScreenSaverButton", QStringLiteral("Запустить заставку"), cell(1, 0), this,
           [this] { report(platform_.actions().startScreenSaver()); });
    button(monitor, "WallpaperButton", QStringLiteral("Сменить обои на Desktop"), wide(1), this,
           &ServiceModule::chooseWallpaper);
}

void ServiceModule::buildCdGroup(QWidget* page) {
    QGroupBox* cd = group(page, QStringLiteral("CD"), kLeft, 132, kColumnWidth, 42);
    button(cd, "CdOpenButton", QStringLiteral("Открыть дверцу CD"), cell(0, 0), this,
           [this] { report(platform_.actions().cdDoor(true)); });
    button(cd, "CdCloseButton", QStringLiteral("Закрить дверцу CD"), cell(1, 0), this,
           [this] { report(platform_.actions().cdDoor(false)); });
}

void ServiceModule::buildOtherGroup(QWidget* page) {
    QGroupBox* other = group(page, QStringLiteral("Другое"), kLeft, 176, kColumnWidth, 108);
    const std::tuple<const char*, const char*, LockKey> keys[] = {
        {"NumLockButton", "Включить/Выключить Num Lock", LockKey::NumLock},
        {"CapsLockButton", "Включить/Выключить Caps Lock", LockKey::CapsLock},
        {"ScrollLockButton", "Включить/Выключить Scroll Lock", LockKey::ScrollLock}};
    int row = 0;
    for (const auto& [name, caption, key] : keys) {
        button(other, name, QString::fromUtf8(caption), wide(row++), this,
               [this, key = key] { report(platform_.actions().toggleLockKey(key)); });
    }
    // Two states: each click changes the state and applies it.
    taskbarButton_ = button(other, "TaskBarButton", QStringLiteral("Спрятать/Показать TaskBar"), wide(row),
                            this, &ServiceModule::applyTaskbar);
    taskbarButton_->setCheckable(true);
}

void ServiceModule::buildToolsGroup(QWidget* page) {
    QGroupBox* tools = group(page, QStringLiteral("Программы"), kRight, 68, kColumnWidth, 134);
    const std::tuple<const char*, const char*, SystemTool> rows[] = {
        {"SpeedButton5", "Дефрагментация", SystemTool::Defrag},
        {"SpeedButton8", "Проверка диска", SystemTool::DiskCheck},
        {"SpeedButton6", "Блокнот", SystemTool::Notepad},
        {"SpeedButton2", "Редактор реестра", SystemTool::RegistryEditor},
        {"SpeedButton1", "DirectX", SystemTool::DirectX},
        {"SpeedButton7", "Internet Explorer", SystemTool::Browser}};
    int y = kFirstRow;
    for (const auto& [name, caption, tool] : rows) {
        label(tools, QString::fromUtf8(caption), 8, y + 1, 150, 18);
        button(tools, name, QStringLiteral("Запуск"), QRect(166, y, 76, kToolButtonHeight), this,
               [this, tool = tool] { runTool(tool); });
        y += kToolButtonHeight + 1;
    }
}

void ServiceModule::buildFoldersGroup(QWidget* page) {
    QGroupBox* folders = group(page, QStringLiteral("Папки"), kRight, 204, kColumnWidth, 92);
    folderList_ = place(new QListWidget(folders), "ListBox2", 6, kFirstRow, kFullButton, 48);
    for (const ShellFolderRow& row : kShellFolders) {
        folderList_->addItem(qs(row.caption));
    }
    connect(folderList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showFolder(folderList_->row(item)); });
    label(folders, QStringLiteral("Папка:"), 6, 69, 40, 18);
    folderPath_ =
        place(new QLineEdit(QStringLiteral("Выбирите  название"), folders), "Edit2", 48, 68, 196, 20);
    folderPath_->setReadOnly(true);
}

// The folder's path in the field and in its hint; nothing is opened.
void ServiceModule::showFolder(int row) {
    if (row < 0 || row >= static_cast<int>(kShellFolders.size())) {
        return;
    }
    const QString path =
        qs(platform_.actions().shellFolder(kShellFolders[static_cast<std::size_t>(row)].valueName));
    folderPath_->setText(path);
    folderPath_->setToolTip(path);
}

} // namespace domora
