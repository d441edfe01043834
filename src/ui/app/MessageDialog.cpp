#include "ui/app/MessageDialog.h"
#include "ui/app/Place.h"

#include "ui/app/Resources.h"

#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <array>

namespace domora {

namespace {

constexpr int ClientWidth = 375;
constexpr int ClientHeight = 110;
constexpr int ButtonWidth = 81;
constexpr int ButtonHeight = 25;
constexpr int ButtonTop = 80;
constexpr int ButtonStep = 88; // from one button's left edge to the next one's

struct KindLook {
    int picture; // index into ImageList1
    const char* caption;
};

// Picture and window caption of each kind.
constexpr std::array<KindLook, 4> KindLooks{{
    {0, "Удаление..."},
    {2, "Сброс..."},
    {1, "Ошибка..."},
    {2, "Информация..."},
}};

} // namespace

MessageDialog::MessageDialog()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                           Qt::MSWindowsFixedSizeDialogHint) {
    RegisterResources();
    setObjectName(QStringLiteral("Form9"));
    setFixedSize(ClientWidth, ClientHeight);

    for (const char* name : {"dialog-delete.png", "dialog-error.png", "dialog-question.png"}) {
        imageList1_.append(Picture(name));
    }

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(34, 34, 37, 37);
    Image1->setFixedSize(37, 37);

    // Fixed size and word-wrapped: a long message is cut at the label's edge, the dialog never
    // grows. Plain text, so a file name with markup characters shows as it is.
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(96, 16, 273, 57);
    Label1->setFixedSize(273, 57);

    const std::array<std::pair<QPushButton**, void (MessageDialog::*)()>, 3> buttons{{
        {&Button1, &MessageDialog::Button1Click},
        {&Button2, &MessageDialog::Button2Click},
        {&Button3, &MessageDialog::Button3Click},
    }};
    int number = 1;
    for (const auto& [button, slot] : buttons) {
        *button = new QPushButton(this);
        (*button)->setObjectName(QStringLiteral("Button%1").arg(number++));
        // Enter follows the focus (see keyPressEvent), so no button is the dialog's default.
        (*button)->setAutoDefault(false);
        (*button)->setDefault(false);
        (*button)->setFixedSize(ButtonWidth, ButtonHeight);
        connect(*button, &QPushButton::clicked, this, slot);
    }
    placeButton(Button1, 213);
    placeButton(Button2, 213 + ButtonStep);
    Button2->hide();
    Button3->hide();
}

void MessageDialog::placeButton(QPushButton* button, int x) {
    button->move(x, ButtonTop);
}

void MessageDialog::ShowMessageDialog(const QString& text, int kind, unsigned char buttons,
                                      const QString& lastCaption, const QWidget* opener) {
    // A second message while one is open (the tray menu still works behind a modal dialog)
    // would rewrite the open one under the user's eyes and hand its answer to the wrong caller.
    // It is refused: the caller reads 0, which no caller acts on.
    if (isVisible()) {
        return;
    }

    Label1->setText(text);

    if (kind >= 0 && kind < static_cast<int>(KindLooks.size())) {
        const KindLook& look = KindLooks[static_cast<std::size_t>(kind)];
        Image1->setPixmap(imageList1_.value(look.picture));
        setWindowTitle(QString::fromUtf8(look.caption));
    }

    Button1->setText(QStringLiteral("Ok"));
    Button2->setText(QStringLiteral("Отмена"));
    int count = 1;
    if ((buttons & ButtonAll) != 0) {
        Button3->setText(QStringLiteral("Все"));
        Button3->show();
        ++count;
    } else if ((buttons & ButtonYesAll) != 0) {
        Button3->setText(QStringLiteral("Да все"));
        Button3->show();
        ++count;
    } else {
        Button3->hide();
    }
    const bool hasThird = count == 2;
    if ((buttons & ButtonCancel) != 0) {
        Button2->show();
        ++count;
    } else {
        Button2->hide();
    }

    QPushButton* focus = Button1;
    QPushButton* last = Button1;
    switch (count) {
    case 1:
        placeButton(Button1, 213);
        break;
    case 2:
        placeButton(Button1, 165);
        if (hasThird) {
            // A third button without "Отмена" is asked for by no caller. It takes the second
            // place and "Ok" keeps the focus, since there is no cancelling answer to start on.
            placeButton(Button3, 165 + ButtonStep);
            last = Button3;
        } else {
            placeButton(Button2, 165 + ButtonStep);
            focus = Button2;
            last = Button2;
        }
        break;
    default:
        placeButton(Button1, 117);
        placeButton(Button2, 117 + ButtonStep);
        placeButton(Button3, 117 + 2 * ButtonStep);
        focus = Button2;
        last = Button3;
        break;
    }
    if (!lastCaption.isEmpty()) {
        last->setText(lastCaption);
    }
    focusButton_ = focus;
    focus->setFocus(Qt::OtherFocusReason);

    // Owned by the opener's window; centred on the screen, frame included: the window is
    // created first so that its frame is known.
    ownBy(*this, opener);
    create();
    centreFrameOnScreen(*this, ScreenArea::Whole);

    exec();
}

void MessageDialog::Button1Click() {
    dialogResult_ = ResultButton1;
    done(ResultButton1);
}

void MessageDialog::Button2Click() {
    dialogResult_ = ResultButton2;
    done(ResultButton2);
}

void MessageDialog::Button3Click() {
    dialogResult_ = ResultButton3;
    done(ResultButton3);
}

void MessageDialog::FormShow() {
    dialogResult_ = ResultShowing;
}

void MessageDialog::FormClose() {
    if (dialogResult_ == ResultShowing) {
        dialogResult_ = ResultClosed;
    }
}

void MessageDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
        if (focusButton_ != nullptr) {
            focusButton_->setFocus(Qt::OtherFocusReason);
        }
    }
}

void MessageDialog::hideEvent(QHideEvent* event) {
    // Every way of closing (a button, the close box, Alt+F4, Escape, hide()) passes here.
    if (!event->spontaneous()) {
        FormClose();
    }
    QDialog::hideEvent(event);
}

void MessageDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Return press the focused button. A button that is not a default one leaves
    // these keys to its dialog, so they are handled here.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier) {
        for (QPushButton* button : {Button1, Button2, Button3}) {
            if (button == focusWidget() && button->isVisible() && button->isEnabled()) {
                button->click();
                event->accept();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event); // Escape closes the dialog
}

} // namespace domora
