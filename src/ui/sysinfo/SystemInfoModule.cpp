#include "ui/sysinfo/SystemInfoModule.h"

#include "core/app/AppPaths.h"
#include "core/sysinfo/SystemPageText.h"
#include "platform/Platform.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QWidget>

#include <array>

namespace domora {

namespace {

constexpr int kRow = 15; // the step between the lines of a block

// The lines of the memory block, each a byte count.
struct MemoryLine {
    const char* caption;
    const char* name;
    std::uint64_t MemoryFacts::*count;
};
constexpr std::array<MemoryLine, 6> kMemoryLines = {{
    {"Всего физической:", "StaticText44", &MemoryFacts::totalPhysical},
    {"Свободно:", "StaticText50", &MemoryFacts::availablePhysical},
    {"Файл подкачки:", "StaticText51", &MemoryFacts::totalPageFile},
    {"Свободно:", "StaticText53", &MemoryFacts::availablePageFile},
    {"Всего виртуальной:", "StaticText54", &MemoryFacts::totalVirtual},
    {"Свободно:", "StaticText55", &MemoryFacts::availableVirtual},
}};

// A value shown in a line of fixed width: a text too long for it is cut with an ellipsis and
// shown whole in its tip.
void show(QLabel* value, const QString& text) {
    const QString fitting = value->fontMetrics().elidedText(text, Qt::ElideRight, value->width());
    value->setText(fitting);
    value->setToolTip(fitting == text ? QString() : text);
}

void show(QLineEdit* value, const QString& text) {
    value->setText(text);
    value->setCursorPosition(0);
}

// One line of a block: its caption and the value beside it at `valueX`.
QLabel* line(QWidget* block, const QString& caption, const char* name, int y, int valueX) {
    label(block, caption, 8, y, valueX - 10, kRow);
    return label(block, QString(), valueX, y, block->width() - valueX - 6, kRow, name);
}

QLineEdit* readOnlyLine(QWidget* block, const QString& caption, const char* name, int y, int valueX) {
    label(block, caption, 8, y + 2, valueX - 10, kRow);
    auto* edit = place(new QLineEdit(block), name, valueX, y, block->width() - valueX - 6, 20);
    edit->setReadOnly(true);
    return edit;
}

} // namespace

SystemInfoModule::SystemInfoModule(const ModuleContext& context)
    : facts_(context.platform.systemFacts()), appDir_(context.paths.AppDir) {
    QWidget* page = context.host.page(Page::System);
    buildPage(page);
    page->installEventFilter(this);
}

SystemInfoModule::~SystemInfoModule() {
    if (measurement_.joinable()) {
        measurement_.join();
    }
}

void SystemInfoModule::buildPage(QWidget* page) {
    constexpr int kTop = 20; // the first line of a block, below its title

    QGroupBox* processor = group(page, QStringLiteral("Процессор"), 4, 2, 252, 130);
    cpuLine_ = label(processor, QString(), 8, kTop, 236, kRow, "Label56");
    QFont bold = cpuLine_->font();
    bold.setBold(true);
    cpuLine_->setFont(bold);
    signatureLine_ = label(processor, QString(), 8, kTop + kRow, 236, kRow, "StaticText38");
    clockRate_ =
        line(processor, QStringLiteral("Тактовая частота процессора:"), "StaticText28", kTop + 2 * kRow, 166);
    codeName_ = line(processor, QStringLiteral("Имя-код:"), "StaticText29", kTop + 3 * kRow, 110);
    vendor_ = line(processor, QStringLiteral("Производитель:"), "StaticText30", kTop + 4 * kRow, 110);
    transistors_ = line(processor, QStringLiteral("Транзисторы:"), "StaticText31", kTop + 5 * kRow, 110);
    processorSerial_ =
        line(processor, QStringLiteral("Серийный номер:"), "StaticText32", kTop + 6 * kRow, 110);

    QGroupBox* disk = group(page, QStringLiteral("Диск"), 4, 134, 252, 170);
    label(disk, QStringLiteral("Диск:"), 8, kTop + 3, 40, kRow);
    driveCombo_ = place(new QComboBox(disk), "DriveComboBox1", 48, kTop, 196, 22);
    connect(driveCombo_, &QComboBox::activated, this, &SystemInfoModule::DriveComboBox1Change);
    const int lines = kTop + 24;
    driveKind_ = label(disk, QString(), 8, lines, 236, kRow, "StaticText33");
    capacity_ = line(disk, QStringLiteral("Объём:"), "StaticText34", lines + kRow, 110);
    freeSpace_ = line(disk, QStringLiteral("Свободно:"), "StaticText42", lines + 2 * kRow, 110);
    label(disk, QStringLiteral("Сектор/кластер:"), 8, lines + 3 * kRow, 100, kRow);
    sectorsPerCluster_ = label(disk, QString(), 110, lines + 3 * kRow, 30, kRow, "StaticText35");
    label(disk, QStringLiteral("Байт/сектор:"), 142, lines + 3 * kRow, 76, kRow);
    bytesPerSector_ = label(disk, QString(), 214, lines + 3 * kRow, 34, kRow, "StaticText36");
    totalClusters_ = line(disk, QStringLiteral("Всего кластеров:"), "StaticText37", lines + 4 * kRow, 110);
    freeClusters_ = line(disk, QStringLiteral("Своб. кластеров:"), "StaticText41", lines + 5 * kRow, 110);
    diskSerial_ = line(disk, QStringLiteral("Серийный номер:"), "StaticText40", lines + 6 * kRow, 110);
    usedGauge_ = place(new QProgressBar(disk), "Gauge1", 8, lines + 7 * kRow + 2, 236, 16);

    QGroupBox* display = group(page, QStringLiteral("Монитор"), 260, 2, 248, 174);
    adapter_ = line(display, QStringLiteral("Адаптер:"), "StaticText43", kTop, 96);
    bios_ = readOnlyLine(display, QStringLiteral("BIOS:"), "Edit7", kTop + kRow, 96);
    const int below = kTop + kRow + 22;
    resolution_ = line(display, QStringLiteral("Расширение:"), "StaticText45", below, 96);
    chip_ = line(display, QStringLiteral("Чип:"), "StaticText46", below + kRow, 96);
    fontResolution_ = line(display, QStringLiteral("Размер шрифта:"), "StaticText47", below + 2 * kRow, 96);
    dac_ = line(display, QStringLiteral("ЦАП:"), "StaticText48", below + 3 * kRow, 96);
    displayMemory_ = line(display, QStringLiteral("Память:"), "StaticText49", below + 4 * kRow, 96);
    pixel_ = readOnlyLine(display, QStringLiteral("Пиксель:"), "Edit8", below + 5 * kRow, 96);
    technology_ = line(display, QStringLiteral("Технология:"), "StaticText52", below + 5 * kRow + 22, 96);

    QGroupBox* memory = group(page, QStringLiteral("Память"), 260, 180, 248, 114);
    for (std::size_t i = 0; i < kMemoryLines.size(); ++i) {
        memoryValues_[i] = line(memory, QString::fromUtf8(kMemoryLines[i].caption), kMemoryLines[i].name,
                                kTop + static_cast<int>(i) * kRow, 112);
    }
}

bool SystemInfoModule::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        TabSheet11Show();
    }
    return QObject::eventFilter(watched, event);
}

void SystemInfoModule::TabSheet11Show() {
    fillDriveList();
    if (driveCombo_->currentIndex() >= 0) {
        ShowDriveInfo(driveCombo_->currentText());
    }
    ShowDisplayInfo();
    ShowMemoryInfo();
    showProcessor();
}

// The drives as the system has them now; the one chosen stays chosen while it is there.
void SystemInfoModule::fillDriveList() {
    const QString chosen = driveCombo_->currentText();
    std::vector<std::string> drives = facts_.drives();
    driveCombo_->clear();
    for (const std::string& drive : drives) {
        driveCombo_->addItem(qs(drive));
    }
    const int kept = driveCombo_->findText(chosen);
    driveCombo_->setCurrentIndex(kept >= 0 && !chosen.isEmpty() ? kept : DriveHolding(drives, appDir_));
}

void SystemInfoModule::DriveComboBox1Change() {
    ShowDriveInfo(driveCombo_->currentText());
}

void SystemInfoModule::ShowDriveInfo(const QString& drive) {
    const DiskFacts disk = facts_.disk(drive.toStdString());
    if (const std::optional<std::string> word = DriveTypeWord(disk.driveType)) {
        show(driveKind_, qs(*word + disk.fileSystem));
    }
    show(capacity_, qs(ByteCountText(disk.capacity)));
    show(freeSpace_, qs(ByteCountText(disk.freeSpace)));
    show(sectorsPerCluster_, QString::number(disk.sectorsPerCluster));
    show(bytesPerSector_, QString::number(disk.bytesPerSector));
    show(totalClusters_, QString::number(disk.totalClusters));
    show(freeClusters_, QString::number(disk.freeClusters));
    show(diskSerial_, qs(OrNoData(disk.serialNumber)));
    const GaugeRange gauge = DiskGauge(disk.capacity, disk.freeSpace);
    usedGauge_->setRange(0, gauge.maximum);
    usedGauge_->setValue(gauge.progress);
}

// The display's texts come from the system; the screen's measures, where the platform does
// not give them, from the screen the page is on.
void SystemInfoModule::ShowDisplayInfo() {
    DisplayFacts display = facts_.display();
    if (display.horizontal == 0) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize pixels = screen->size() * screen->devicePixelRatio();
            display.horizontal = pixels.width();
            display.vertical = pixels.height();
            display.bitsPerPixel = screen->depth();
            display.fontResolution = qRound(screen->logicalDotsPerInchY());
            const PixelSize pixel =
                PixelSizeMicrometres(screen->physicalSize().width(), screen->physicalSize().height(),
                                     pixels.width(), pixels.height());
            display.pixelWidth = pixel.width;
            display.pixelHeight = pixel.height;
            display.pixelDiagonal = pixel.diagonal;
        }
    }
    show(adapter_, qs(OrNoData(display.adapter)));
    const bool biosKnown = !display.biosVersion.empty() || !display.biosDate.empty();
    show(bios_, biosKnown ? qs(display.biosVersion + " " + display.biosDate) : qs(kNoData));
    show(resolution_, qs(ResolutionText(display)));
    show(chip_, qs(OrNoData(display.chip)));
    show(fontResolution_, QStringLiteral("%1 dpi").arg(display.fontResolution));
    show(dac_, qs(OrNoData(display.dac)));
    show(displayMemory_, qs(OrNoData(DisplayMemoryText(display.memory))));
    show(pixel_, qs(PixelText(display)));
    show(technology_, qs(OrNoData(display.technology)));
}

void SystemInfoModule::ShowMemoryInfo() {
    const MemoryFacts memory = facts_.memory();
    for (std::size_t i = 0; i < kMemoryLines.size(); ++i) {
        show(memoryValues_[i], qs(ByteCountText(memory.*kMemoryLines[i].count)));
    }
}

void SystemInfoModule::showProcessor() {
    processor_ = facts_.processor();
    show(signatureLine_, qs(SignatureLine(processor_)));
    show(codeName_, qs(OrNoData(processor_.codeName)));
    show(vendor_, qs(OrNoData(processor_.vendor)));
    show(transistors_, qs(TransistorsText(processor_.transistors)));
    show(processorSerial_, qs(OrNoData(processor_.serialNumber)));
    startMeasurement();
}

// The rate is measured anew on each showing; a showing while a measurement runs waits for it.
void SystemInfoModule::startMeasurement() {
    if (measuring_) {
        return;
    }
    if (measurement_.joinable()) {
        measurement_.join(); // it has reported already
    }
    measuring_ = true;
    show(cpuLine_, qs(CpuLine(processor_, std::nullopt)));
    show(clockRate_, QStringLiteral("измеряется…"));
    measurement_ = std::thread([this] {
        const std::optional<double> mhz = facts_.measureCpuMHz();
        QMetaObject::invokeMethod(
            this, [this, mhz] { showMeasuredRate(mhz); }, Qt::QueuedConnection);
    });
}

void SystemInfoModule::showMeasuredRate(std::optional<double> mhz) {
    measuring_ = false;
    show(cpuLine_, qs(CpuLine(processor_, mhz)));
    show(clockRate_, mhz ? qs(ClockRateText(*mhz)) : qs(kNoData));
}

} // namespace domora
