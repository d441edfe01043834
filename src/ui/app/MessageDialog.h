#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QString>

class QLabel;
class QPushButton;

namespace domora {

// The program's own modal question box: a picture and a caption chosen by a kind, a message,
// and one to three buttons chosen by a set of flags. Created once at start-up without a parent
// (it belongs to the desktop, so it shows while the main window is hidden in the tray) and
// reused for every confirmation; the caller reads DialogResult() after ShowMessageDialog returns.
class MessageDialog : public QDialog {
    Q_OBJECT
public:
    // Kinds: picture and caption of the window.
    enum Kind { KindDelete = 0, KindReset = 1, KindError = 2, KindInformation = 3 };
    // Button flags, held in one byte. "Ok" is always shown.
    enum ButtonFlag : unsigned char {
        ButtonOk = 1,
        ButtonCancel = 2,
        ButtonAll = 4,    // third button "Все"; wins over ButtonYesAll
        ButtonYesAll = 16 // third button "Да все"
    };
    // What closed the dialog.
    enum Result {
        ResultShowing = 0,
        ResultButton1 = 1,
        ResultButton2 = 2,
        ResultButton3 = 3,
        ResultClosed = 4
    };

    MessageDialog();

    // Fills the dialog, shows it modally and returns when it closes. A kind outside 0..3 keeps
    // the picture and caption of the previous call. A non-empty lastCaption replaces the caption
    // of the rightmost button.
    // `opener` is the control it was asked from: the dialog belongs to that control's window.
    void ShowMessageDialog(const QString& text, int kind, unsigned char buttons, const QString& lastCaption,
                           const QWidget* opener = nullptr);

    // 0 while showing; 1, 2 or 3 for the button pressed; 4 when closed any other way.
    int DialogResult() const { return dialogResult_; }

    // The pictures by index: 0 deletion, 1 error, 2 question.
    const QList<QPixmap>& ImageList1() const { return imageList1_; }

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    void FormShow();
    void FormClose();

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeButton(QPushButton* button, int x);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* focusButton_ = nullptr; // the button that takes the focus when the dialog shows
    QList<QPixmap> imageList1_;
    int dialogResult_ = ResultShowing;
};

} // namespace domora
