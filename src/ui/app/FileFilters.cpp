#include "ui/app/FileFilters.h"

namespace domora {

QList<FileFilter> FileFilter::split(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QList<FileFilter> result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        result.append(FileFilter{parts[i], parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)});
    }
    return result;
}

QString qtFileFilters(const QString& filter) {
    QStringList result;
    for (const FileFilter& entry : FileFilter::split(filter)) {
        const qsizetype open = entry.caption.lastIndexOf(QLatin1Char('('));
        const QString name = open >= 0 ? entry.caption.left(open) : entry.caption + QLatin1Char(' ');
        result << name + QLatin1Char('(') + entry.patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result.join(QStringLiteral(";;"));
}

} // namespace domora
