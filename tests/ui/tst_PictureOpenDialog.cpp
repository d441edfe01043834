// The picture open dialog on a folder of pictures made here: the files each filter entry
// lists, the preview pane, and the path the dialog returns.

#include "ui/service/JpegPreviewDecoder.h"
#include "ui/service/PictureOpenDialog.h"
#include "ui/service/PicturePreview.h"

#include "UiTestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QFileSystemModel>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QtTest>

using domora::JpegPreviewDecoder;
using domora::PictureOpenDialog;
using uitest::child;

namespace {

// A GIF of one white pixel.
const QByteArray kGif =
    QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c000000000100"
                        "01000002024401003b");

struct Folder {
    QTemporaryDir dir;

    Folder() {
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(QColor(30, 120, 200));
        picture.save(path("обои 1.jpg"), "JPG");
        picture.save(path("b.jpeg"), "JPG");
        picture.save(path("c.bmp"), "BMP");
        write("d.gif", kGif);
        write("broken.jpg", QByteArray("\xFF\xD8\xFF\xE0 not a picture"));
        write("notes.txt", "text");
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

// The files the dialog lists in its folder.
QStringList listed(const PictureOpenDialog& dialog) {
    auto* files = dialog.findChild<QFileSystemModel*>();
    const QModelIndex folder = files->index(dialog.directory().absolutePath());
    QStringList names;
    for (int row = 0; row < files->rowCount(folder); ++row) {
        names << files->index(row, 0, folder).data().toString();
    }
    names.sort();
    return names;
}

// Selects an entry of the filter as the user does, with the arrow keys.
void selectFilter(QComboBox* filter, int index) {
    filter->setCurrentIndex(index == 0 ? 1 : index - 1);
    QTest::keyClick(filter, index == 0 ? Qt::Key_Up : Qt::Key_Down);
    QCOMPARE(filter->currentIndex(), index);
}

} // namespace

class TestPictureOpenDialog : public QObject {
    Q_OBJECT

private slots:
    // The dialog other code finds by name, owned by its window, and drawn by the program
    // (the filter captions are the masks the next test lists files by).
    void nameAndOwner() {
        QWidget owner;
        PictureOpenDialog dialog(&owner);
        QCOMPARE(dialog.objectName(), QStringLiteral("OpenPictureDialog1"));
        QCOMPARE(dialog.parentWidget(), &owner);
        QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(child<QComboBox>(dialog, QStringLiteral("fileTypeCombo"))->count(), 4);
    }

    // Each entry lists the files of its masks, the masks separated by ";" too.
    void filesOfEachFilter_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("BMP and JPEG") << 0 << QStringList{"b.jpeg", "broken.jpg", "c.bmp", "обои 1.jpg"};
        QTest::newRow("BMP") << 1 << QStringList{"c.bmp"};
        QTest::newRow("JPEG") << 2 << QStringList{"b.jpeg", "broken.jpg", "обои 1.jpg"};
        QTest::newRow("GIF") << 3 << QStringList{"d.gif"};
    }
    void filesOfEachFilter() {
        QFETCH(int, filter);
        QFETCH(QStringList, files);
        Folder folder;
        PictureOpenDialog dialog(nullptr);
        dialog.setDirectory(folder.dir.path());
        dialog.show();
        // It opens on the first entry.
        QTRY_COMPARE(listed(dialog), (QStringList{"b.jpeg", "broken.jpg", "c.bmp", "обои 1.jpg"}));
        selectFilter(child<QComboBox>(dialog, QStringLiteral("fileTypeCombo")), filter);
        QTRY_COMPARE(listed(dialog), files);
        QCOMPARE(dialog.selectedNameFilter(), dialog.nameFilters().at(filter));
    }

    // The preview pane of the selected file: the picture fitted into 160 x 120 and its size,
    // or why it cannot be shown.
    void preview_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("shown");
        QTest::addColumn<QString>("text");
        QTest::newRow("JPEG") << "обои 1.jpg" << QSize(160, 120) << "640 x 480";
        QTest::newRow("BMP") << "c.bmp" << QSize(160, 120) << "640 x 480";
        QTest::newRow("GIF, not enlarged") << "d.gif" << QSize(1, 1) << "1 x 1";
        QTest::newRow("damaged JPEG")
            << "broken.jpg" << QSize() << QString::fromUtf8(JpegPreviewDecoder::kDamaged);
        QTest::newRow("not a picture")
            << "notes.txt" << QSize() << QString::fromUtf8(domora::PicturePreview::kNotPicture);
    }
    void preview() {
        QFETCH(QString, file);
        QFETCH(QSize, shown);
        QFETCH(QString, text);
        Folder folder;
        PictureOpenDialog dialog(nullptr);
        // The previous file's preview is replaced, whatever it was.
        emit dialog.currentChanged(folder.path("c.bmp"));
        emit dialog.currentChanged(folder.path(file));
        const QPixmap picture = child<QLabel>(dialog, QStringLiteral("PreviewImage"))->pixmap();
        QCOMPARE(picture.isNull() ? QSize() : picture.size(), shown);
        QCOMPARE(child<QLabel>(dialog, QStringLiteral("PreviewSize"))->text(), text);
    }

    // A click on a file in the list shows its preview.
    void clickingAFileShowsItsPreview() {
        Folder folder;
        PictureOpenDialog dialog(nullptr);
        dialog.setDirectory(folder.dir.path());
        dialog.show();
        QTRY_VERIFY(listed(dialog).contains(QStringLiteral("c.bmp")));
        auto* list = child<QListView>(dialog, QStringLiteral("listView"));
        const QModelIndex file = dialog.findChild<QFileSystemModel*>()->index(folder.path("c.bmp"));
        QTRY_VERIFY(list->visualRect(file).isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(file).center());
        QCOMPARE(child<QLabel>(dialog, QStringLiteral("PreviewSize"))->text(), QStringLiteral("640 x 480"));
        QVERIFY(!child<QLabel>(dialog, QStringLiteral("PreviewImage"))->pixmap().isNull());
    }

    void chooseReturnsThePathOrNothing_data() {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("chosen") << true;
        QTest::newRow("cancelled") << false;
    }
    void chooseReturnsThePathOrNothing() {
        QFETCH(bool, accepted);
        Folder folder;
        const QString path = folder.path("обои 1.jpg");
        QWidget owner;
        owner.show();
        PictureOpenDialog dialog(&owner);
        dialog.setDirectory(folder.dir.path());
        QString seen;
        uitest::whenModalShown(&owner, [&](QWidget& modal) {
            seen = modal.objectName();
            // Typed as the user would: selectFile() leaves the name field alone while the
            // field has the focus, which a shown dialog may or may not have given it yet.
            uitest::child<QLineEdit>(modal, "fileNameEdit")->setText(path);
            // QFileDialog's accept() checks the typed file, as its Open button does.
            auto& asked = static_cast<QDialog&>(modal);
            if (accepted) {
                asked.accept();
            } else {
                asked.reject();
            }
        });
        QCOMPARE(dialog.choose(), accepted ? path : QString());
        QCOMPARE(seen, QStringLiteral("OpenPictureDialog1"));
    }
};

QTEST_MAIN(TestPictureOpenDialog)
#include "tst_PictureOpenDialog.moc"
