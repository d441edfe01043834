#include "ui/missed/MissedWindow.h"

#include "ui/app/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace domora {

MissedWindow::MissedWindow(RunTask runTask, QWidget* parent)
    : QWidget(parent, Qt::Window), runTask_(std::move(runTask)) {
    setObjectName(QStringLiteral("MissedWindow"));
    setWindowTitle(QStringLiteral("Domora Lite 2003 — пропущено"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    rows_ = new QWidget(scroll);
    rowsLayout_ = new QVBoxLayout(rows_);
    scroll->setWidget(rows_);
    layout->addWidget(scroll);
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);
    resize(560, 300);
}

void MissedWindow::showList(const MissedList& list) {
    while (QLayoutItem* item = rowsLayout_->takeAt(0)) {
        if (item->widget() != nullptr) {
            item->widget()->deleteLater();
        }
        delete item->layout();
        delete item;
    }
    auto* heading = new QLabel(qs(MissedHeading(list)), rows_);
    heading->setObjectName(QStringLiteral("MissedHeading"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    rowsLayout_->addWidget(heading);
    for (const MissedFiring& firing : list.firings) {
        auto* row = new QWidget(rows_);
        row->setObjectName(QStringLiteral("MissedRow"));
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        auto* texts = new QVBoxLayout;
        auto* line = new QLabel(qs(MissedLine(firing)), row);
        line->setObjectName(QStringLiteral("MissedLine"));
        line->setWordWrap(true);
        texts->addWidget(line);
        rowLayout->addLayout(texts, 1);
        if (firing.kind == MissedFiring::Kind::Task) {
            auto* run = new QPushButton(QStringLiteral("Выполнить сейчас"), row);
            run->setObjectName(QStringLiteral("RunNowButton"));
            auto* outcome = new QLabel(row);
            outcome->setObjectName(QStringLiteral("RunOutcome"));
            outcome->setWordWrap(true);
            outcome->hide();
            texts->addWidget(outcome);
            rowLayout->addWidget(run, 0, Qt::AlignTop);
            connect(run, &QPushButton::clicked, this, [this, firing, run, outcome] {
                const TaskRunResult result = runTask_(firing);
                // Once started it is done; a failure may be mended and tried again.
                run->setEnabled(!result.started);
                outcome->setText(result.started ? QStringLiteral("Выполнено.") : qs(result.failure));
                outcome->show();
            });
        }
        rowsLayout_->addWidget(row);
    }
    rowsLayout_->addStretch();
}

} // namespace domora
