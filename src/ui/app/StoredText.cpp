#include "ui/app/StoredText.h"

#include "core/base/Cp1251.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/QtText.h"

namespace domora {

bool PathFits(MessageBoxes& boxes, QWidget* parent, const QString& path, std::size_t capacity) {
    const std::size_t length = DecodeUtf8Lossy(path.toStdString()).size();
    if (length <= capacity) {
        return true;
    }
    boxes.error(parent,
                QStringLiteral("Путь к файлу слишком длинный: %1 знаков, а поместиться может не более "
                               "%2.\r\n%3\r\nПереместите файл в папку с более коротким путём.")
                    .arg(length)
                    .arg(capacity)
                    .arg(path));
    return false;
}

bool StorableText(MessageBoxes& boxes, QWidget* parent, const QString& text, const QString& files) {
    std::string bytes;
    char32_t bad = 0;
    if (Utf8ToCp1251(text.toStdString(), bytes, &bad)) {
        return true;
    }
    boxes.error(parent, QStringLiteral("Знак «%1» нельзя сохранить: %2 хранят текст в кодировке "
                                       "Windows-1251.\r\n%3")
                            .arg(qs(EncodeUtf8(bad)), files, text));
    return false;
}

} // namespace domora
