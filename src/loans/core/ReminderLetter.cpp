#include "loans/core/ReminderLetter.h"

#include "export/core/RtfWriter.h"
#include "kit/core/RegionalSettings.h"
#include "store/Text.h"

namespace opusteca::loans {
namespace {

QString bookLine(const LoanRow &row, const QDate &today)
{
    QString line = text::trimmed(row.title) + QStringLiteral(" - codice ") + text::trimmed(row.code);
    if (text::isBlank(row.dateText)) return line + QStringLiteral(" - data del prestito non indicata");
    line += QStringLiteral(" - data del prestito ") + dateShown(row);
    if (const std::optional<qint64> days = daysOnLoan(row, today))
        line += QStringLiteral(" - giorni di prestito ") + QString::number(*days);
    return line;
}

} // namespace

QByteArray reminderLetter(const QString &reader, const QList<LoanRow> &rows, const QDate &today)
{
    const QString name = text::trimmed(reader);
    QList<RtfField> fields;
    fields.append({QStringLiteral("Data:"), RegionalSettings::instance().formatDate(today)});
    fields.append({QStringLiteral("Lettore:"), name});
    fields.append(
        {QString(), QStringLiteral("Gentile %1,\r\nci permettiamo di ricordarLe che risultano ancora in prestito a "
                                   "Suo nome i libri elencati qui di seguito. La preghiamo di restituirli appena "
                                   "possibile oppure di contattarci se desidera prolungare il prestito.")
                        .arg(name)});
    for (int i = 0; i < rows.size(); ++i)
        fields.append({QStringLiteral("Libro %1:").arg(i + 1), bookLine(rows[i], today)});
    fields.append({QString(), QStringLiteral("Se ha già provveduto alla restituzione, La preghiamo di non tenere "
                                             "conto di questo avviso.\r\nLa ringraziamo per la cortese "
                                             "collaborazione e Le porgiamo i nostri più cordiali saluti.")});
    return rtfCard(QStringLiteral("SOLLECITO DI RESTITUZIONE"), fields);
}

} // namespace opusteca::loans
