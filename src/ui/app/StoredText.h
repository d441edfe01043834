#pragma once

#include <QString>

#include <cstddef>

class QWidget;

namespace domora {

class MessageBoxes;

// Checks of a text about to be stored in a field of a record file, each telling the user
// in a message box (over `parent`) why it cannot be stored.

// Whether the path fits a field of `capacity` characters. Paths are never cut: a cut path
// points nowhere.
bool PathFits(MessageBoxes& boxes, QWidget* parent, const QString& path, std::size_t capacity);

// Whether every character of the text has a byte in the files' code page (Windows-1251).
// `files` names the files in the message ("файлы будильников").
bool StorableText(MessageBoxes& boxes, QWidget* parent, const QString& text, const QString& files);

} // namespace domora
