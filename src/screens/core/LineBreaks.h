#pragma once
#include <QString>
#include <QStringList>

namespace opusteca::linebreaks {

// A multi-line text cut at its line breaks, each break kept as the characters it
// was written with: CR LF (typed on the card), LF CR (the import separator), or a
// lone CR or LF (written elsewhere). lines has one more entry than breaks.
struct Lines {
    QStringList lines;
    QStringList breaks;
};

// CR LF and LF CR are one break each; any other CR or LF is a break of its own.
Lines split(const QString &text);
// The text again: lines joined by their breaks.
QString join(const Lines &lines);

// The break a line typed on the card ends with.
inline QString typed() { return QStringLiteral("\r\n"); }

} // namespace opusteca::linebreaks
