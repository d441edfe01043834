#include "NoteWindow.h"

#include "CommandLine.h"
#include "core/base/Text.h"
#include "ui/app/Place.h"
#include "ui/app/Resources.h"
#include "ui/sound/SoundPlayer.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace domora {

namespace {

// The text area's width, and the height up to which it grows before it scrolls.
constexpr int TextWidth = 460;
constexpr int TextMaxHeight = 320;
// A message file is read up to this size; a longer one shows its beginning.
constexpr qint64 MaxTextBytes = 1024 * 1024;

// The first line of the text the holiday reminder writes, and the file it writes it to.
const QString HolidayFirstLine = QStringLiteral("Сообщение о наступлении праздника");
const QString HolidayFile = QStringLiteral("Tmp_Celeb.txt");

QString Quoted(const QString& path) {
    return QStringLiteral("«") + path + QStringLiteral("»");
}

QString Escaped(QString value) {
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    value.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return value;
}

} // namespace

NoteWindow::NoteWindow(SoundPlayer& player, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      player_(player) {
    RegisterResources();
    setObjectName(QStringLiteral("NoteWindow"));
    setWindowIcon(QIcon(Picture("domora.png")));
    snoozeTimer_.setSingleShot(true);
    connect(&snoozeTimer_, &QTimer::timeout, this, &NoteWindow::present);
    buildUi();
}

void NoteWindow::buildUi() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    auto* icon = new QLabel(this);
    icon->setPixmap(Picture("domora.png"));
    icon->setFixedSize(32, 32);
    top->addWidget(icon, 0, Qt::AlignTop);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("Heading"));
    heading_->setTextFormat(Qt::PlainText);
    QFont headingFont = heading_->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.45);
    headingFont.setBold(true);
    heading_->setFont(headingFont);
    top->addWidget(heading_, 1, Qt::AlignVCenter);
    layout->addLayout(top);

    // The message: plain text, scrolling when it is long.
    noteText_ = new QLabel;
    noteText_->setObjectName(QStringLiteral("NoteText"));
    noteText_->setTextFormat(Qt::PlainText);
    noteText_->setWordWrap(true);
    noteText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    noteText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    noteText_->setMargin(10);
    QFont textFont = noteText_->font();
    textFont.setPointSizeF(textFont.pointSizeF() * 1.25);
    noteText_->setFont(textFont);
    noteText_->setAutoFillBackground(true);
    textArea_ = new QScrollArea(this);
    textArea_->setObjectName(QStringLiteral("TextArea"));
    textArea_->setWidget(noteText_);
    textArea_->setWidgetResizable(true);
    textArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textArea_->setFrameShape(QFrame::StyledPanel);
    textArea_->viewport()->setAutoFillBackground(true);
    layout->addWidget(textArea_);

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("Picture"));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(picture_, 0, Qt::AlignHCenter);

    noticesLabel_ = new QLabel(this);
    noticesLabel_->setObjectName(QStringLiteral("Notices"));
    noticesLabel_->setTextFormat(Qt::PlainText);
    noticesLabel_->setWordWrap(true);
    noticesLabel_->setFixedWidth(TextWidth);
    QPalette warning = noticesLabel_->palette();
    warning.setColor(QPalette::WindowText, QColor(160, 24, 24));
    noticesLabel_->setPalette(warning);
    layout->addWidget(noticesLabel_);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    snoozeBox_ = new QComboBox(this);
    snoozeBox_->setObjectName(QStringLiteral("SnoozeBox"));
    for (const int minutes : {5, 10, 15}) {
        snoozeBox_->addItem(QStringLiteral("на %1 минут").arg(minutes), minutes);
    }
    snoozeButton_ = new QPushButton(QStringLiteral("Отложить"), this);
    snoozeButton_->setObjectName(QStringLiteral("SnoozeButton"));
    snoozeButton_->setToolTip(
        QStringLiteral("Спрятать напоминание и показать его снова через выбранное время"));
    closeButton_ = new QPushButton(QStringLiteral("Закрыть"), this);
    closeButton_->setObjectName(QStringLiteral("CloseButton"));
    closeButton_->setMinimumWidth(96);
    snoozeButton_->setMinimumWidth(96);
    buttons->addWidget(snoozeButton_);
    buttons->addWidget(snoozeBox_);
    buttons->addStretch(1);
    buttons->addWidget(closeButton_);
    layout->addLayout(buttons);

    connect(snoozeButton_, &QPushButton::clicked, this, &NoteWindow::snooze);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void NoteWindow::load(const QStringList& fields) {
    player_.stop();
    content_ = Content::Nothing;
    text_.clear();
    picturePath_.clear();
    numbers_.clear();
    holiday_ = false;
    soundField_.clear();
    soundState_ = QStringLiteral("silent");
    notices_.clear();

    const ParsedCommand parsed = ParseNoteCommand(fields);
    if (!parsed.command) {
        showError(parsed.error, fields);
        fill();
        return;
    }
    const NoteCommand& command = *parsed.command;
    numbers_ = command.numbers;
    holiday_ = numbers_.size() > 1 ||
               QFileInfo(command.message).fileName().compare(HolidayFile, Qt::CaseInsensitive) == 0;

    if (command.pictureFlag || (!command.message.isEmpty() && IsPictureFile(command.message))) {
        if (command.message.isEmpty()) {
            notices_.append(QStringLiteral("Картинка для напоминания не указана."));
        } else {
            loadPicture(command.message);
        }
    } else if (!command.message.isEmpty()) {
        loadText(command.message);
    }
    openSound(command.sound);
    fill();
}

void NoteWindow::loadText(const QString& path) {
    const QString real = ResolveNoCase(path);
    if (real.isEmpty() || QFileInfo(real).isDir()) {
        notices_.append(QStringLiteral("Файл сообщения %1 не найден.").arg(Quoted(path)));
        return;
    }
    QFile file(real);
    if (!file.open(QIODevice::ReadOnly)) {
        notices_.append(QStringLiteral("Не удалось прочитать файл сообщения %1.").arg(Quoted(path)));
        return;
    }
    QByteArray bytes = file.read(MaxTextBytes + 1);
    if (bytes.size() > MaxTextBytes) {
        // Cut at a line end, which is never inside a character in either code page.
        bytes.truncate(MaxTextBytes);
        const qsizetype lineEnd = bytes.lastIndexOf('\n');
        if (lineEnd > 0) {
            bytes.truncate(lineEnd);
        }
        notices_.append(QStringLiteral("Файл сообщения длиннее 1 МБ, показано его начало."));
    }
    text_ = QString::fromStdString(
        DecodeNoteText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    while (text_.endsWith(QLatin1Char('\n'))) {
        text_.chop(1);
    }
    if (text_.section(QLatin1Char('\n'), 0, 0).trimmed() == HolidayFirstLine) {
        holiday_ = true;
    }
    content_ = Content::Text;
}

void NoteWindow::loadPicture(const QString& path) {
    const QString real = ResolveNoCase(path);
    if (real.isEmpty() || QFileInfo(real).isDir()) {
        notices_.append(QStringLiteral("Файл картинки %1 не найден.").arg(Quoted(path)));
        return;
    }
    QImageReader reader(real);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        notices_.append(QStringLiteral("Не удалось открыть картинку %1.").arg(Quoted(path)));
        return;
    }
    // Scaled down to fit the screen, never up.
    QSize limit(640, 440);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableGeometry().size();
        limit = limit.boundedTo(QSize(available.width() * 7 / 10, available.height() * 6 / 10));
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.width() > limit.width() || pixmap.height() > limit.height()) {
        pixmap = pixmap.scaled(limit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    picture_->setPixmap(pixmap);
    picturePath_ = real;
    content_ = Content::Picture;
}

void NoteWindow::showError(const QString& error, const QStringList& fields) {
    content_ = Content::Error;
    QStringList quoted;
    for (const QString& field : fields) {
        quoted.append(Quoted(field));
    }
    text_ = error + QStringLiteral("\n\nПолучено: ") +
            (fields.isEmpty() ? QStringLiteral("ни одного параметра") : quoted.join(QLatin1Char(' ')));
}

void NoteWindow::openSound(const QString& path) {
    soundField_ = path;
    if (path.isEmpty()) {
        soundState_ = QStringLiteral("silent");
        return;
    }
    const QString real = ResolveNoCase(path);
    if (real.isEmpty() || QFileInfo(real).isDir()) {
        soundState_ = QStringLiteral("missing");
        notices_.append(
            QStringLiteral("Звуковой файл %1 не найден, напоминание звучать не будет.").arg(Quoted(path)));
        return;
    }
    if (!player_.open(real)) {
        soundState_ = QStringLiteral("failed");
        notices_.append(QStringLiteral("Не удалось воспроизвести звуковой файл %1.").arg(Quoted(path)));
        return;
    }
    soundState_ = QStringLiteral("ready");
}

void NoteWindow::fill() {
    QString heading;
    if (content_ == Content::Error) {
        setWindowTitle(QStringLiteral("Напоминание"));
        heading = QStringLiteral("Не удалось показать напоминание");
    } else {
        const bool several = numbers_.size() > 1;
        const QString numbers = QStringLiteral("№") + NumbersText(numbers_);
        if (holiday_) {
            heading = (several ? QStringLiteral("Праздники ") : QStringLiteral("Праздник ")) + numbers;
            setWindowTitle(heading);
        } else {
            heading = (several ? QStringLiteral("Будильники ") : QStringLiteral("Будильник ")) + numbers;
            setWindowTitle(QStringLiteral("Напоминание — ") + heading.left(1).toLower() + heading.mid(1));
        }
    }
    heading_->setText(heading);

    const bool textual = content_ != Content::Picture;
    textArea_->setVisible(textual);
    picture_->setVisible(!textual);
    if (textual) {
        // A note is written on a paper-coloured sheet, an explanation of a fault is not.
        QString shown = text_;
        QPalette sheet = palette();
        if (content_ != Content::Error) {
            sheet.setColor(QPalette::Window, QColor(255, 250, 214));
            sheet.setColor(QPalette::WindowText, QColor(40, 34, 20));
        }
        if (content_ == Content::Nothing) {
            shown = QStringLiteral("Текст напоминания не задан.");
            sheet.setColor(QPalette::WindowText, QColor(120, 112, 96));
        }
        noteText_->setPalette(sheet);
        textArea_->viewport()->setPalette(sheet);
        noteText_->setText(shown);
        // As tall as the text needs, up to a limit; a longer text scrolls.
        const int frame = 2 * textArea_->frameWidth();
        const int needed = noteText_->heightForWidth(TextWidth);
        textArea_->setFixedSize(TextWidth + frame, std::clamp(needed, 60, TextMaxHeight) + frame);
        if (needed > TextMaxHeight) {
            textArea_->setFixedWidth(TextWidth + frame + textArea_->verticalScrollBar()->sizeHint().width());
        }
    }

    noticesLabel_->setText(notices_.join(QLatin1Char('\n')));
    noticesLabel_->setVisible(!notices_.isEmpty());
    const bool note = content_ != Content::Error;
    snoozeBox_->setVisible(note);
    snoozeButton_->setVisible(note);
    closeButton_->setFocus();
}

void NoteWindow::present() {
    adjustSize();
    centreFrameOnScreen(*this);
    if (cascadePlace_ > 0) {
        move(pos() + QPoint(cascadePlace_ * kCascadeStep, cascadePlace_ * kCascadeStep));
        keepOnScreen(*this);
    }
    show();
    raise();
    activateWindow();
    closeButton_->setFocus();
    if (soundState_ == QLatin1String("ready") || soundState_ == QLatin1String("playing")) {
        player_.playLoop();
        soundState_ = QStringLiteral("playing");
    }
    if (onPresented) {
        onPresented();
    }
}

void NoteWindow::snooze() {
    player_.stop();
    if (soundState_ == QLatin1String("playing")) {
        soundState_ = QStringLiteral("ready");
    }
    hide();
    snoozeTimer_.start(snoozeBox_->currentData().toInt() * minuteMs_);
}

void NoteWindow::closeEvent(QCloseEvent* event) {
    snoozeTimer_.stop();
    player_.stop();
    if (soundState_ == QLatin1String("playing")) {
        soundState_ = QStringLiteral("ready");
    }
    event->accept();
}

QString NoteWindow::report() const {
    static const char* const Contents[] = {"text", "picture", "nothing", "error"};
    QStringList fields{
        QStringLiteral("title=") + Escaped(windowTitle()),
        QStringLiteral("content=") + QLatin1String(Contents[static_cast<int>(content_)]),
        QStringLiteral("text=") + Escaped(content_ == Content::Picture ? QString() : text_),
        QStringLiteral("picture=") + Escaped(picturePath_),
        QStringLiteral("numbers=") + NumbersText(numbers_).remove(QLatin1Char(' ')),
        QStringLiteral("sound=") + (soundField_.isEmpty() ? QStringLiteral("not") : Escaped(soundField_)),
        QStringLiteral("sound_state=") + soundState_,
        QStringLiteral("notices=") + Escaped(notices_.join(QStringLiteral(" | "))),
    };
    return QStringLiteral("notebox: ") + fields.join(QLatin1Char('\t'));
}

} // namespace domora
