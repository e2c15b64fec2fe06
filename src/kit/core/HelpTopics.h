#pragma once
#include <QString>
#include <QStringList>

namespace opusteca {

struct HelpTopic {
    QString title;
    QStringList paragraphs;
    bool isEmpty() const { return title.isEmpty(); }
    // Paragraphs joined by one empty line (CR LF CR LF); the viewer wraps them.
    QString text() const { return paragraphs.join(QStringLiteral("\r\n\r\n")); }
};

// The screens that have a help topic, in the order of the user guide.
QStringList helpTopicScreens();

// The help topic of a screen class; an empty topic for screens without help.
// The texts are data, one file per topic under :/help (resources/help).
HelpTopic helpTopic(const QString &screenClass);

// Reads a topic file: the title on the first line, then paragraphs separated by
// empty lines; the lines of one paragraph are joined with a blank.
HelpTopic parseHelpTopic(const QString &fileText);

} // namespace opusteca
