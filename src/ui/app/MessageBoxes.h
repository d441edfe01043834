#pragma once

#include <QString>

class QWidget;

namespace domora {

// The platform's standard message boxes (notices, yes/no questions, errors), as opposed
// to the program's own confirmation dialog. Windows ask through this so that tests can
// answer in their place.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void information(QWidget* parent, const QString& text) = 0;
    // True for Yes.
    virtual bool question(QWidget* parent, const QString& text) = 0;
    // A question with "Да", "Нет" and "Отмена"; closing the box is "Отмена".
    enum class Choice { Yes, No, Cancel };
    virtual Choice questionWithCancel(QWidget* parent, const QString& text) = 0;
    virtual void error(QWidget* parent, const QString& text) = 0;
};

// Qt's message boxes with the program's title.
class QtMessageBoxes final : public MessageBoxes {
public:
    void information(QWidget* parent, const QString& text) override;
    bool question(QWidget* parent, const QString& text) override;
    Choice questionWithCancel(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
};

} // namespace domora
