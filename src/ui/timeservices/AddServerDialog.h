#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;

namespace domora {

class MessageBoxes;

// "Добавить сервер..." ("Form16"): the name of a time server typed into Edit1 ("Имя:" in
// the group "Сервер"), "Ok" (Button1) and "Отмена" (Button2). Each showing starts empty.
// "Ok" with a name that is not only blanks hands it, as typed, to `add`; a name `add`
// refuses (its reason shown) keeps the dialog open so that it can be put right.
class AddServerDialog : public QDialog {
    Q_OBJECT
public:
    // `add` stores a name; it returns an empty text, or the Russian reason it could not.
    AddServerDialog(MessageBoxes& boxes, std::function<std::string(const std::string&)> add);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();

    MessageBoxes& boxes_;
    std::function<std::string(const std::string&)> add_;
    QLineEdit* name_ = nullptr;
};

} // namespace domora
