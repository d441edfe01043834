#pragma once

#include "core/sysinfo/SystemFacts.h"
#include "ui/app/Module.h"

#include <QObject>

#include <array>
#include <optional>
#include <thread>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace domora {

class SystemFacts;

// The page "Система": the processor, one drive chosen in the drive list, the display and the
// memory. The page is filled each time it is shown, and the drive block again whenever
// another drive is chosen. The processor's clock rate is measured over half a second on a
// thread of its own, so that the page answers at once and the rate follows when it is ready.
class SystemInfoModule final : public QObject, public Module {
    Q_OBJECT
public:
    explicit SystemInfoModule(const ModuleContext& context);
    ~SystemInfoModule() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPage(QWidget* page);
    // The page shown: the drive, the display, the memory, then the processor.
    void TabSheet11Show();
    void fillDriveList();
    void DriveComboBox1Change();
    void ShowDriveInfo(const QString& drive);
    void ShowDisplayInfo();
    void ShowMemoryInfo();
    void showProcessor();
    void startMeasurement();
    void showMeasuredRate(std::optional<double> mhz);

    SystemFacts& facts_;
    std::string appDir_;
    ProcessorFacts processor_;

    QLabel* cpuLine_ = nullptr;
    QLabel* signatureLine_ = nullptr;
    QLabel* clockRate_ = nullptr;
    QLabel* codeName_ = nullptr;
    QLabel* vendor_ = nullptr;
    QLabel* transistors_ = nullptr;
    QLabel* processorSerial_ = nullptr;

    QComboBox* driveCombo_ = nullptr;
    QLabel* driveKind_ = nullptr;
    QLabel* capacity_ = nullptr;
    QLabel* freeSpace_ = nullptr;
    QLabel* sectorsPerCluster_ = nullptr;
    QLabel* bytesPerSector_ = nullptr;
    QLabel* totalClusters_ = nullptr;
    QLabel* freeClusters_ = nullptr;
    QLabel* diskSerial_ = nullptr;
    QProgressBar* usedGauge_ = nullptr;

    QLabel* adapter_ = nullptr;
    QLineEdit* bios_ = nullptr;
    QLabel* resolution_ = nullptr;
    QLabel* chip_ = nullptr;
    QLabel* fontResolution_ = nullptr;
    QLabel* dac_ = nullptr;
    QLabel* displayMemory_ = nullptr;
    QLineEdit* pixel_ = nullptr;
    QLabel* technology_ = nullptr;

    std::array<QLabel*, 6> memoryValues_{}; // physical, page file and virtual: total, free

    // The clock measurement under way, if any; joined when it has reported, or at the end.
    std::thread measurement_;
    bool measuring_ = false;
};

} // namespace domora
