#include "ui/service/PictureOpenDialog.h"

#include "ui/app/Place.h"
#include "ui/service/PicturePreview.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace domora {

PictureOpenDialog::PictureOpenDialog(QWidget* owner)
    : QFileDialog(owner), filters_(FileFilter::split(QString::fromUtf8(kFilter))) {
    setObjectName(QStringLiteral("OpenPictureDialog1"));
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);

    QStringList captions;
    for (const FileFilter& filter : filters_) {
        captions << filter.caption;
    }
    setNameFilters(captions);
    // Qt applies its reading of the caption first (its own connection is the older one).
    connect(this, &QFileDialog::filterSelected, this, &PictureOpenDialog::usePatternsOfSelectedFilter);
    usePatternsOfSelectedFilter();

    auto* pane = new QWidget(this);
    pane->setObjectName(QStringLiteral("PreviewPane"));
    auto* column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    image_ = new QLabel(pane);
    image_->setObjectName(QStringLiteral("PreviewImage"));
    image_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    image_->setAlignment(Qt::AlignCenter);
    const int frame = 2 * image_->frameWidth();
    image_->setFixedSize(kPreviewBox + QSize(frame, frame));
    sizeLine_ = new QLabel(pane);
    sizeLine_->setObjectName(QStringLiteral("PreviewSize"));
    sizeLine_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    sizeLine_->setWordWrap(true);
    sizeLine_->setFixedWidth(image_->width());
    column->addWidget(image_);
    column->addWidget(sizeLine_);
    column->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        // Beside the file list, the file name and the filter.
        grid->addWidget(pane, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    }
    connect(this, &QFileDialog::currentChanged, this, &PictureOpenDialog::showPreview);
}

QString PictureOpenDialog::choose() {
    ownBy(*this, parentWidget());
    if (exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList chosen = selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.constFirst();
}

void PictureOpenDialog::usePatternsOfSelectedFilter() {
    auto* files = findChild<QFileSystemModel*>();
    const QString selected = selectedNameFilter();
    for (const FileFilter& filter : filters_) {
        if (filter.caption == selected && files != nullptr) {
            files->setNameFilters(filter.patterns);
        }
    }
}

void PictureOpenDialog::showPreview(const QString& path) {
    if (path.isEmpty() || QFileInfo(path).isDir()) {
        image_->clear();
        sizeLine_->clear();
        return;
    }
    const PicturePreview preview = PicturePreview::of(path, kPreviewBox, jpegs_);
    image_->setPixmap(QPixmap::fromImage(preview.image));
    sizeLine_->setText(preview.text);
}

} // namespace domora
