// The reminder letter to a borrower: its bytes, in the layout of the card
// exports, and the text a word processor reads from it.
#include "export/core/DocumentFile.h"
#include "kit/core/RegionalSettings.h"
#include "loans/core/ReminderLetter.h"
#include "support/Files.h"
#include "support/Office.h"

#include <QIODevice>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;
using namespace opusteca::loans;

namespace {

const QDate kToday(2026, 12, 11);

LoanRow row(const QString &title, const QString &code, const QString &dateText, const QDate &date = {})
{
    LoanRow r;
    r.reader = QStringLiteral("Carla Rossi");
    r.title = title;
    r.code = code;
    r.dateText = dateText;
    r.date = date;
    return r;
}

QString date(int d, int m, int y) { return RegionalSettings::instance().formatDate(QDate(y, m, d)); }

// Three books: one with a date read, one without a date, one with a date that
// cannot be read; braces and a backslash in a title.
QList<LoanRow> carlasBooks()
{
    return {row(QStringLiteral("Il nome della rosa"), QStringLiteral("B40"), date(1, 11, 2026), QDate(2026, 11, 1)),
            row(QStringLiteral("Città {invisibili}"), QStringLiteral("BND"), QString()),
            row(QStringLiteral("Note\\appunti"), QStringLiteral("BIERI"), QStringLiteral("ieri"))};
}

} // namespace

class TestReminderLetter : public QObject {
    Q_OBJECT

private slots:
    void bytesOfTheLetter()
    {
        const QByteArray letter = reminderLetter(QStringLiteral(" Carla Rossi "), carlasBooks(), kToday);
        const QByteArray expected =
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}"
            "{\\f1\\fnil Verdana;}}{\\colortbl ;\\red0\\green0\\blue0;}"
            "\\viewkind4\\uc1\\pard\\qc\\cf1\\b\\f0\\fs24 SOLLECITO DI RESTITUZIONE\\f1\\fs16"
            "\\par \\fs24 ________________________________________________\\par"
            "\\par \\pard\\f0\\fs20 Data:\\b0\\f1  \\f0 " +
            date(11, 12, 2026).toLatin1() +
            "\\par"
            "\\par \\b Lettore:\\b0\\f1  \\f0 Carla Rossi\\par"
            "\\par \\b0\\f0 Gentile Carla Rossi,\\par ci permettiamo di ricordarLe che risultano ancora in prestito "
            "a Suo nome i libri elencati qui di seguito. La preghiamo di restituirli appena possibile oppure di "
            "contattarci se desidera prolungare il prestito.\\par"
            "\\par \\b Libro 1:\\b0\\f1  \\f0 Il nome della rosa - codice B40 - data del prestito " +
            date(1, 11, 2026).toLatin1() +
            " - giorni di prestito 40\\par"
            "\\par \\b Libro 2:\\b0\\f1  \\f0 Citt\xe0 \\{invisibili\\} - codice BND - data del prestito non "
            "indicata\\par"
            "\\par \\b Libro 3:\\b0\\f1  \\f0 Note\\\\appunti - codice BIERI - data del prestito ieri\\par"
            "\\par \\b0\\f0 Se ha gi\xe0 provveduto alla restituzione, La preghiamo di non tenere conto di questo "
            "avviso.\\par La ringraziamo per la cortese collaborazione e Le porgiamo i nostri pi\xf9 cordiali "
            "saluti.\\b\\par"
            "\\par }";
        QCOMPARE(letter, expected);
        QVERIFY(!letter.contains('\n') && !letter.contains('\r'));
    }

    void readByAWordProcessor()
    {
        if (test::officeProgram().isEmpty())
            QFAIL("soffice not found: this check needs LibreOffice (scripts/test.sh installs it).");
        QTemporaryDir dir;
        const QString doc = dir.filePath(QString::fromLatin1(kReminderDocument));
        QVERIFY(saveDocument(doc, [](QIODevice &out) {
            const QByteArray bytes = reminderLetter(QStringLiteral("Carla Rossi"), carlasBooks(), kToday);
            return out.write(bytes) == bytes.size();
        }));
        const QStringList expected{
            QStringLiteral("SOLLECITO DI RESTITUZIONE"),
            QString(48, QLatin1Char('_')),
            QString(),
            QStringLiteral("Data: ") + date(11, 12, 2026),
            QString(),
            QStringLiteral("Lettore: Carla Rossi"),
            QString(),
            QStringLiteral("Gentile Carla Rossi,"),
            QStringLiteral("ci permettiamo di ricordarLe che risultano ancora in prestito a Suo nome i libri elencati "
                           "qui di seguito. La preghiamo di restituirli appena possibile oppure di contattarci se "
                           "desidera prolungare il prestito."),
            QString(),
            QStringLiteral("Libro 1: Il nome della rosa - codice B40 - data del prestito ") + date(1, 11, 2026) +
                QStringLiteral(" - giorni di prestito 40"),
            QString(),
            QStringLiteral("Libro 2: Città {invisibili} - codice BND - data del prestito non indicata"),
            QString(),
            QStringLiteral("Libro 3: Note\\appunti - codice BIERI - data del prestito ieri"),
            QString(),
            QStringLiteral("Se ha già provveduto alla restituzione, La preghiamo di non tenere conto di questo "
                           "avviso."),
            QStringLiteral("La ringraziamo per la cortese collaborazione e Le porgiamo i nostri più cordiali saluti."),
        };
        QCOMPARE(test::officeParagraphs(doc, dir.path()), expected);
    }
};

QTEST_GUILESS_MAIN(TestReminderLetter)
#include "tst_reminder_letter.moc"
