#include "kit/core/HelpTopics.h"

#include <QFile>

namespace opusteca {

QStringList helpTopicScreens()
{
    return {QStringLiteral("TfrmAvvio"),     QStringLiteral("TfrmLibri"),
            QStringLiteral("TfrmAutori"),    QStringLiteral("TfrmBibliografie"),
            QStringLiteral("TfrmExpLibri"),  QStringLiteral("TfrmImportaLibri"),
            QStringLiteral("TfrmExpAutori"), QStringLiteral("TfrmExpBibliografie"),
            QStringLiteral("TfrmPrestiti"),  QStringLiteral("TfrmStatistiche")};
}

HelpTopic parseHelpTopic(const QString &fileText)
{
    HelpTopic topic;
    QString paragraph;
    const auto endParagraph = [&] {
        if (!paragraph.isEmpty()) topic.paragraphs << paragraph;
        paragraph.clear();
    };
    bool first = true;
    for (QString line : fileText.split(QLatin1Char('\n'))) {
        line = line.trimmed(); // also drops the CR of files saved with CR LF
        if (first) {
            if (line.isEmpty()) continue;
            topic.title = line;
            first = false;
        } else if (line.isEmpty()) {
            endParagraph();
        } else {
            if (!paragraph.isEmpty()) paragraph += QLatin1Char(' ');
            paragraph += line;
        }
    }
    endParagraph();
    return topic;
}

HelpTopic helpTopic(const QString &screenClass)
{
    if (!helpTopicScreens().contains(screenClass)) return {};
    QFile file(QStringLiteral(":/help/%1.txt").arg(screenClass));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return parseHelpTopic(QString::fromUtf8(file.readAll()));
}

} // namespace opusteca
