#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace domora {

// What the alarm scheduler and the holiday reminder pass to the note program, one field per
// argument: the kind ("1" text, "0" picture), the sound file or "not", the message file or
// "EMPTY" (for a picture: the picture file, possibly an empty field), and the record number
// or a comma-separated list of numbers ("3,7").
struct NoteCommand {
    bool pictureFlag = false; // kind "0"
    QString sound;            // empty: silence ("not")
    QString message;          // the text or picture file; empty: none
    QList<int> numbers;
};

struct ParsedCommand {
    std::optional<NoteCommand> command;
    QString error; // in Russian, when the command line cannot be understood
};

// `fields`: the arguments after the program's name. Where the fields were joined by blanks
// and split again (Windows), an unchanged path with blanks arrives in pieces, and a blank
// picture field is lost; both are put back when the files on disk make it unambiguous.
ParsedCommand ParseNoteCommand(const QStringList& fields);

// "3" or "3,7" (blanks around the numbers allowed); every number 1 or above. Nothing when
// any item is not such a number.
std::optional<QList<int>> ParseNumbers(const QString& text);

// "3, 7".
QString NumbersText(const QList<int>& numbers);

// Whether the file is a picture, by its extension (.bmp, .jpg, .jpeg, .png, .gif, .ico).
bool IsPictureFile(const QString& path);

// The path of the existing file or folder that `path` names, matching each part of the
// path without regard to letter case when it does not exist as written (a folder copied
// from Windows; of several matching entries the one ResolvePathNoCase of core picks); empty
// when there is none.
QString ResolveNoCase(const QString& path);

} // namespace domora
