#include "app/core/HelpTopics.h"

namespace opusteca {

// Titles of the help topics; the full texts are written with the help screens.
HelpTopic helpTopic(const QString &screenClass)
{
    if (screenClass == QLatin1String("TfrmAvvio")) return {QStringLiteral("Uno sguardo a Opusteca 2.0."), {}};
    if (screenClass == QLatin1String("TfrmLibri")) return {QStringLiteral("Archivio Libri."), {}};
    if (screenClass == QLatin1String("TfrmAutori")) return {QStringLiteral("Archivio Autori."), {}};
    if (screenClass == QLatin1String("TfrmBibliografie")) return {QStringLiteral("Archivio Bibliografie."), {}};
    if (screenClass == QLatin1String("TfrmExpLibri"))
        return {QStringLiteral("Esportazione archivio libri in Microsoft Excel."), {}};
    if (screenClass == QLatin1String("TfrmExpAutori"))
        return {QStringLiteral("Esportazione archivio autori in Microsoft Excel."), {}};
    if (screenClass == QLatin1String("TfrmExpBibliografie"))
        return {QStringLiteral("Esportazione archivio bibliografie in Microsoft Excel."), {}};
    return {};
}

} // namespace opusteca
