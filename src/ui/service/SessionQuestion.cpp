#include "ui/service/SessionQuestion.h"

#include "ui/app/MessageDialog.h"

namespace domora {

SessionAnswer AskToEndSession(MessageDialog& dialog, const QWidget* opener) {
    dialog.ShowMessageDialog(
        QStringLiteral("Вы действительно хотите прекратить ваш сеанс?\r\nЕсли Вы хотите сделать это "
                       "форсировано нажмите кнопку Форсировано"),
        MessageDialog::KindInformation,
        MessageDialog::ButtonOk | MessageDialog::ButtonCancel | MessageDialog::ButtonAll,
        QStringLiteral("Форсировано"), opener);
    return SessionAnswerFromDialog(dialog.DialogResult());
}

} // namespace domora
