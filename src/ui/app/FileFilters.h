#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace domora {

// An open-file dialog's filter as the program writes it, "Описание|маски|Описание|маски...",
// the masks of an entry separated by ";": each entry's caption and masks.
struct FileFilter {
    QString caption;
    QStringList patterns;

    static QList<FileFilter> split(const QString& filter);
};

// The filter as Qt's name filters "Описание(*.a *.b);;...": Qt reads the masks from the
// parentheses, separated by blanks, so the caption's parentheses are replaced by the masks.
QString qtFileFilters(const QString& filter);

} // namespace domora
