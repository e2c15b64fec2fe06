#pragma once
#include <QString>
#include <QStringList>

namespace opusteca {

struct HelpTopic {
    QString title;
    QStringList paragraphs;
    // Paragraphs joined by one empty line (CR LF CR LF).
    QString text() const { return paragraphs.join(QStringLiteral("\r\n\r\n")); }
};

// The help topic of a screen class; an empty topic for screens without help.
HelpTopic helpTopic(const QString &screenClass);

} // namespace opusteca
