#pragma once

#include "ui/app/FileFilters.h"
#include "ui/service/JpegPreviewDecoder.h"

#include <QFileDialog>
#include <QList>
#include <QSize>
#include <QString>

class QLabel;

namespace domora {

// The open dialog for a picture ("Сменить обои на Desktop" on the Service page): Qt's own
// file dialog, not the platform's, with a preview pane at its right: the selected picture
// fitted into 160 x 120 pixels (PreviewImage) and under it the picture's size in pixels or
// why it cannot be shown (PreviewSize). It belongs to the window it is given.
//
// The filter's captions are shown exactly as written, masks in parentheses separated by ";".
// Qt takes a name filter's masks from its parentheses separated by blanks only, so it would
// read "*.bmp;*.jpeg;*.jpg" as one mask that no file matches: the dialog gives the file list
// the masks of the selected entry itself, after Qt has applied its reading of the caption.
class PictureOpenDialog : public QFileDialog {
    Q_OBJECT
public:
    static constexpr char kFilter[] = "форматы BMP и JPEG (*.bmp;*.jpeg;*.jpg)|*.bmp;*.jpeg;*.jpg|"
                                      "Точечный рисунок Windows (*.bmp)|*.bmp|"
                                      "Формат JPEG (*.jpeg;*.jpg)|*.jpeg;*.jpg|"
                                      "Формат GIF (*.gif)|*.gif";
    static constexpr QSize kPreviewBox{160, 120};

    explicit PictureOpenDialog(QWidget* owner);

    // Shows the dialog modally; the chosen file's path as the dialog gives it, or an empty
    // text when it is cancelled.
    QString choose();

private:
    void usePatternsOfSelectedFilter();
    void showPreview(const QString& path);

    QList<FileFilter> filters_;
    JpegPreviewDecoder jpegs_;
    QLabel* image_ = nullptr;
    QLabel* sizeLine_ = nullptr;
};

} // namespace domora
