#pragma once
// The record versions the two-copies tool writes, shared with the test that
// checks what two copies left in the archive.
#include "store/BookRecord.h"
#include "store/Record.h"

#include <QString>
#include <optional>

namespace opusteca::twocopies {

// Version `op` of copy `copy` ('A', 'B', ...): every field carries the same tag,
// so a record mixed from two writes never passes for one version.
inline Record version(char copy, int op)
{
    Record r(bookLayout());
    const QString tag = QStringLiteral("%1%2").arg(QLatin1Char(copy)).arg(op, 5, 10, QLatin1Char('0'));
    for (int f = 0; f < bookLayout().fieldCount(); ++f) {
        const int capacity = bookLayout().fields[f].capacity;
        QString text;
        while (text.size() < capacity) text += tag + QLatin1Char('.') + QString::number(f) + QLatin1Char('.');
        r.setText(f, text.left(capacity));
    }
    return r;
}

// The version a record's bytes are, when they are wholly one of them.
struct Tag {
    char copy;
    int op;
};
inline std::optional<Tag> versionOf(const QByteArray &bytes)
{
    const QString title = Record(bookLayout(), bytes).text(libro::Titolo);
    if (title.size() < 6) return std::nullopt;
    bool ok = false;
    const int op = title.mid(1, 5).toInt(&ok);
    const char copy = char(title.at(0).toLatin1());
    if (!ok || version(copy, op).bytes() != bytes) return std::nullopt;
    return Tag{copy, op};
}

} // namespace opusteca::twocopies
