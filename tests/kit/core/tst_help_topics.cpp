// The help topics: read from their data files, titled and split into
// paragraphs as the help viewer and the user guide show them.
#include "kit/core/HelpTopics.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace opusteca;

namespace {

// The initial password as the README tells it to a new user.
QString readmePassword()
{
    QFile readme(QStringLiteral(OPUSTECA_SOURCE_DIR "/README.md"));
    if (!readme.open(QIODevice::ReadOnly)) return {};
    const QRegularExpression re(QStringLiteral("initial password is \\*\\*([^*]+)\\*\\*"));
    return re.match(QString::fromUtf8(readme.readAll())).captured(1);
}

} // namespace

class TestHelpTopics : public QObject {
    Q_OBJECT

private slots:
    void topics_data();
    void topics();
    void startMenuTopicNamesThePassword();
    void screensWithoutHelp_data();
    void screensWithoutHelp();
    void parsing_data();
    void parsing();
};

void TestHelpTopics::topics_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("paragraphs");
    QTest::newRow("start menu") << "TfrmAvvio"
                                << "Uno sguardo a Opusteca 2.0." << 23;
    QTest::newRow("books") << "TfrmLibri"
                           << "Archivio Libri." << 9;
    QTest::newRow("authors") << "TfrmAutori"
                             << "Archivio Autori." << 6;
    QTest::newRow("bibliographies") << "TfrmBibliografie"
                                    << "Archivio Bibliografie." << 5;
    QTest::newRow("book export") << "TfrmExpLibri"
                                 << "Esportazione archivio libri in Microsoft Excel." << 3;
    QTest::newRow("catalogue import") << "TfrmImportaLibri"
                                      << "Importazione di un catalogo esistente." << 6;
    QTest::newRow("author export") << "TfrmExpAutori"
                                   << "Esportazione archivio autori in Microsoft Excel." << 3;
    QTest::newRow("bibliography export") << "TfrmExpBibliografie"
                                         << "Esportazione archivio bibliografie in Microsoft Excel." << 3;
    QTest::newRow("loans") << "TfrmPrestiti"
                           << "Libri in prestito." << 6;
    QTest::newRow("statistics") << "TfrmStatistiche"
                                << "Statistiche dell'archivio." << 3;
}

void TestHelpTopics::topics()
{
    QFETCH(QString, screen);
    QFETCH(QString, title);
    QFETCH(int, paragraphs);
    const HelpTopic topic = helpTopic(screen);
    QCOMPARE(topic.title, title);
    QCOMPARE(topic.paragraphs.size(), paragraphs);
    for (const QString &p : topic.paragraphs) {
        // A paragraph has no line breaks of its own and is real text, not a stray line.
        QVERIFY2(!p.contains(QLatin1Char('\n')) && !p.contains(QLatin1Char('\r')), qPrintable(p));
        QVERIFY2(p.size() > 80, qPrintable(p));
        QVERIFY2(p == p.trimmed() && !p.contains(QStringLiteral("  ")), qPrintable(p));
    }
    // The viewer's text: paragraphs joined by exactly one empty line, CR LF CR LF.
    const QString text = topic.text();
    QCOMPARE(text.split(QStringLiteral("\r\n\r\n")), topic.paragraphs);
    QCOMPARE(text.count(QLatin1Char('\n')), 2 * (paragraphs - 1));
    QCOMPARE(text.count(QLatin1Char('\r')), 2 * (paragraphs - 1));
    QVERIFY(helpTopicScreens().contains(screen));
}

void TestHelpTopics::startMenuTopicNamesThePassword()
{
    const QString password = readmePassword();
    QVERIFY2(!password.isEmpty(), "the README names no initial password");
    const HelpTopic topic = helpTopic(QStringLiteral("TfrmAvvio"));
    // Told in the closing paragraph, quoted, with the advice to type it without the quotes.
    const QString last = topic.paragraphs.last();
    QVERIFY2(last.contains(QLatin1Char('"') + password + QLatin1Char('"')), qPrintable(last));
    QVERIFY(last.contains(QStringLiteral("senza le virgolette")));
}

void TestHelpTopics::screensWithoutHelp_data()
{
    QTest::addColumn<QString>("screen");
    for (const char *s : {"TfrmTrovaLibri", "TfrmCodici_Dewey", "TfrmPassword", "TfrmGuida", "", "../TfrmAvvio"})
        QTest::newRow(s) << QString::fromLatin1(s);
}

void TestHelpTopics::screensWithoutHelp()
{
    QFETCH(QString, screen);
    const HelpTopic topic = helpTopic(screen);
    QVERIFY(topic.isEmpty());
    QVERIFY(topic.paragraphs.isEmpty());
    QCOMPARE(topic.text(), QString());
}

void TestHelpTopics::parsing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("paragraphs");
    QTest::newRow("wrapped lines joined") << "Titolo.\n\nuna riga\ne la seguente.\n\nSecondo.\n"
                                          << "Titolo." << QStringList{"una riga e la seguente.", "Secondo."};
    QTest::newRow("saved with CR LF") << "Titolo.\r\n\r\nPrimo\r\nparagrafo.\r\n\r\nSecondo.\r\n"
                                      << "Titolo." << QStringList{"Primo paragrafo.", "Secondo."};
    QTest::newRow("extra empty lines and blanks") << "\n  Titolo.  \n\n\n\n  Primo.  \n   \n\nSecondo.\n\n\n"
                                                  << "Titolo." << QStringList{"Primo.", "Secondo."};
    QTest::newRow("title only") << "Titolo."
                                << "Titolo." << QStringList{};
    QTest::newRow("empty file") << ""
                                << "" << QStringList{};
    QTest::newRow("accented text kept") << QStringLiteral("Perch\u00E9?\n\n\u00C8 cos\u00EC.")
                                        << QStringLiteral("Perch\u00E9?")
                                        << QStringList{QStringLiteral("\u00C8 cos\u00EC.")};
}

void TestHelpTopics::parsing()
{
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QStringList, paragraphs);
    const HelpTopic topic = parseHelpTopic(file);
    QCOMPARE(topic.title, title);
    QCOMPARE(topic.paragraphs, paragraphs);
}

QTEST_GUILESS_MAIN(TestHelpTopics)
#include "tst_help_topics.moc"
