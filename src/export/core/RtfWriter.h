#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

namespace opusteca {

// One field of an RTF card: its label and its value as the card shows it.
struct RtfField {
    QString label;
    QString value;
};

// Writes a card as a one-line RTF document in Windows-1252: the title centred
// in bold under a rule, then one paragraph per field, the bold label followed
// by the value; a field without a label is a paragraph of its value alone,
// in normal weight. Values are trimmed; backslashes and braces are escaped; each
// line break (CR LF, LF CR, or a lone CR or LF) starts a new paragraph; a
// character the code page lacks becomes '?'. Letters beyond ASCII in a value
// are written as their code-page byte, in a label as an \'hh escape.
// False when the device refused a write.
bool writeRtfCard(QIODevice &out, const QString &title, const QList<RtfField> &fields);

// The same document as bytes.
QByteArray rtfCard(const QString &title, const QList<RtfField> &fields);

} // namespace opusteca
