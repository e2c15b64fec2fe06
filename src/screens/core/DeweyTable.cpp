#include "screens/core/DeweyTable.h"

#include "store/Cp1252.h"

#include <QFile>

namespace opusteca::dewey {

QStringList parse(QByteArrayView text)
{
    QStringList entries;
    entries.reserve(text.count('\n') + 1);
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype end = text.indexOf('\n', from);
        if (end < 0) end = text.size();
        QByteArrayView line = text.sliced(from, end - from);
        // A checkout that turned LF into CR LF must not leave a CR in every entry.
        if (line.endsWith('\r')) line.chop(1);
        if (!line.trimmed().isEmpty()) entries << cp1252::decode(line.data(), line.size());
        from = end + 1;
    }
    return entries;
}

const QStringList &table()
{
    static const QStringList entries = [] {
        QFile file(QStringLiteral(":/data/dewey_it.txt"));
        if (!file.open(QIODevice::ReadOnly)) return QStringList();
        return parse(file.readAll());
    }();
    return entries;
}

QString classCode(const QString &entry) { return entry.left(3); }

} // namespace opusteca::dewey
