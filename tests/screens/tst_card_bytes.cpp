// Multi-line fields go back to the archive byte for byte: what the user did not
// touch keeps the bytes it was loaded with, whoever wrote them.
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "support/ArchiveKit.h"
#include "support/TestSupport.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

// A record as raw bytes: zero-filled, each field's text bytes written as given.
QByteArray rawRecord(const RecordLayout &layout, const QList<QPair<int, QByteArray>> &fields)
{
    QByteArray r(layout.recordSize, '\0');
    for (const auto &[field, bytes] : fields) r.replace(layout.fields[field].offset, bytes.size(), bytes);
    return r;
}

// Breaks of every kind, a no-break space (0xA0) and an accented letter (0xEC).
const QByteArray kBiography("Riga uno\r\nRiga\xA0"
                            "due\nRiga tre\rRiga quattro l\xEC\n\r");
// The import separator, line feed then carriage return, between two entries.
const QByteArray
    kWorks("Levi, Se questo \xE8 un uomo, Torino, Einaudi, 1947\n\rLevi, La tregua, Torino, Einaudi, 1963");
// 499 lines ended by a lone line feed: 4990 bytes, 5489 were each break made CR LF.
QByteArray nearlyFull()
{
    QByteArray b;
    for (int i = 0; i < 499; ++i) b += QByteArray::number(100000000 + i) + '\n';
    return b;
}

QByteArray authorFixture()
{
    return rawRecord(authorLayout(), {{autore::Autore, "Primo Levi"},
                                      {autore::Biografia, kBiography},
                                      {autore::Opere, kWorks},
                                      {autore::Pensiero, nearlyFull()}});
}

QByteArray bibliographyFixture()
{
    return rawRecord(bibliographyLayout(), {{bibliografia::Titolo, "Il Novecento"},
                                            {bibliografia::Bibliografia, kWorks + "\r\n" + kBiography},
                                            {bibliografia::File01, "a.pdf"}});
}

// A record whose every field holds a text of its own as long as the field
// takes, but for the fields `fixed` gives; a card that forgot a field would
// save it blank or leave it out.
QByteArray everyFieldFilled(const RecordLayout &layout, const QList<QPair<int, QString>> &fixed)
{
    QList<QPair<int, QString>> fields;
    for (int f = 0; f < layout.fieldCount(); ++f) {
        const FieldDef &def = layout.fields[size_t(f)];
        QString t = QString::fromLatin1(def.name) + QStringLiteral("è");
        while (t.size() < def.capacity) t += QString::number(f % 10);
        t.truncate(def.capacity);
        fields.append({f, t});
    }
    for (const auto &[field, text] : fixed) fields[field].second = text;
    return fileOf({makeRecord(layout, fields)});
}

} // namespace

class TestCardBytes : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QWidget *screen = nullptr;

    // Opens the screen on the first record of a one-record archive.
    void openOn(const QString &screenName, const QString &fileName, const QByteArray &record)
    {
        program = std::make_unique<RunningProgram>();
        program->folder.write(fileName, record);
        screen = openArchive(*program, screenName);
        QVERIFY(screen);
        clickPicture(screen, QStringLiteral("cmdPrimo"));
        QCOMPARE(positionOf(screen), QStringLiteral("1"));
    }
    QPlainTextEdit *memo(const QString &name) { return screen->findChild<QPlainTextEdit *>(name); }
    Boxes save()
    {
        return answerBoxes([&] { clickPicture(screen, QStringLiteral("cmdSalva")); });
    }
    // Puts the caret at the end of a line, as a click there would.
    void caretAtEndOf(QPlainTextEdit *m, int line)
    {
        m->setFocus();
        QTextCursor c(m->document()->findBlockByNumber(line));
        c.movePosition(QTextCursor::EndOfBlock);
        m->setTextCursor(c);
    }

private slots:
    void cleanup() { program.reset(); }

    void untouchedCardSavesTheSameBytes_data()
    {
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("author") << "TfrmAutori"
                                << "Autori.pro" << authorFixture();
        QTest::newRow("bibliography") << "TfrmBibliografie"
                                      << "Bibliografie.pro" << bibliographyFixture();
    }
    void untouchedCardSavesTheSameBytes()
    {
        QFETCH(QString, screenName);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, record);
        openOn(screenName, fileName, record);
        // No over-length warning: the nearly full field did not grow.
        QCOMPARE(save().texts, QStringList{kUpdated});
        QCOMPARE(program->folder.read(fileName), record);
    }

    void everyFieldFilledSavesTheSameBytes_data()
    {
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("book") << "TfrmLibri"
                              << "Libri.pro"
                              << everyFieldFilled(bookLayout(), {{libro::Convalida, libro::yes()},
                                                                 {libro::Dewey, QStringLiteral("853")},
                                                                 {libro::Scadenza, QStringLiteral("05/03/2024")},
                                                                 {libro::Annullata, libro::yes()}});
        QTest::newRow("author") << "TfrmAutori"
                                << "Autori.pro" << everyFieldFilled(authorLayout(), {});
        QTest::newRow("bibliography") << "TfrmBibliografie"
                                      << "Bibliografie.pro"
                                      << everyFieldFilled(bibliographyLayout(),
                                                          {{bibliografia::DataInizio, QStringLiteral("01/02/2023")},
                                                           {bibliografia::DataFine, QStringLiteral("28/02/2023")}});
    }
    // Loaded and saved untouched, the record keeps every byte of every field.
    void everyFieldFilledSavesTheSameBytes()
    {
        QFETCH(QString, screenName);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, record);
        openOn(screenName, fileName, record);
        QCOMPARE(save().texts, QStringList{kUpdated});
        QCOMPARE(program->folder.read(fileName), record);
    }

    void loadedBreaksShowAsOneLineEach()
    {
        openOn(QStringLiteral("TfrmAutori"), QStringLiteral("Autori.pro"), authorFixture());
        QPlainTextEdit *opere = memo(QStringLiteral("txtOpere"));
        // The import separator is one break, not an empty line between the entries.
        QCOMPARE(opere->blockCount(), 2);
        QCOMPARE(opere->document()->findBlockByNumber(1).text(),
                 QStringLiteral("Levi, La tregua, Torino, Einaudi, 1963"));
        QPlainTextEdit *bio = memo(QStringLiteral("txtBiografia"));
        QCOMPARE(bio->blockCount(), 5);
        QCOMPARE(bio->document()->findBlockByNumber(1).text(), QStringLiteral("Riga\u00A0due"));
    }

    void editedLinesKeepTheOtherBreaks()
    {
        openOn(QStringLiteral("TfrmAutori"), QStringLiteral("Autori.pro"), authorFixture());
        QPlainTextEdit *bio = memo(QStringLiteral("txtBiografia"));
        caretAtEndOf(bio, 2);
        typeText(bio, QStringLiteral(" bis"));
        caretAtEndOf(bio, 0);
        pressEnter(bio);
        typeText(bio, QStringLiteral("nuova"));
        QCOMPARE(save().texts, QStringList{kUpdated});

        const QByteArray edited("Riga uno\r\nnuova\r\nRiga\xA0"
                                "due\nRiga tre bis\rRiga quattro l\xEC\n\r");
        QByteArray expected = authorFixture();
        expected.replace(authorLayout().fields[autore::Biografia].offset, edited.size(), edited);
        QCOMPARE(program->folder.read(QStringLiteral("Autori.pro")), expected);
    }

    void joinedLinesKeepTheLaterBreak()
    {
        openOn(QStringLiteral("TfrmAutori"), QStringLiteral("Autori.pro"), authorFixture());
        QPlainTextEdit *bio = memo(QStringLiteral("txtBiografia"));
        // Delete at the end of "Riga\xA0due" joins it with "Riga tre": its LF goes,
        // the CR after "Riga tre" stays.
        caretAtEndOf(bio, 1);
        QTest::keyClick(bio, Qt::Key_Delete);
        QCOMPARE(save().texts, QStringList{kUpdated});
        const QByteArray file = program->folder.read(QStringLiteral("Autori.pro"));
        QCOMPARE(fieldBytes(file, authorLayout(), 1, autore::Biografia),
                 QByteArray("Riga uno\r\nRiga\xA0"
                            "dueRiga tre\rRiga quattro l\xEC\n\r"));
        QCOMPARE(fieldBytes(file, authorLayout(), 1, autore::Pensiero), nearlyFull());
    }
};

QTEST_MAIN(TestCardBytes)
#include "tst_card_bytes.moc"
