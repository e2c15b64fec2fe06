// The one way out to the desktop: what shell::open hands over for the texts its
// callers build. Handlers for every scheme catch the address, so nothing is
// really launched while the tests run.
#include "kit/Shell.h"
#include "support/UrlCatcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace opusteca;
using namespace opusteca::test;

namespace {

QString quoted(const QString &s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

} // namespace

class TestShellOpen : public QObject {
    Q_OBJECT

private slots:
    void webAddresses_data();
    void webAddresses();
    void mailAddressKeepsItsText();
    void localPaths_data();
    void localPaths();
    void emptyTextOpensNothing_data();
    void emptyTextOpensNothing();
};

void TestShellOpen::webAddresses_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("query"); // fully decoded
    QTest::newRow("site, unquoted") << "https://www.opusteca.example"
                                    << "https"
                                    << "www.opusteca.example"
                                    << ""
                                    << "";
    QTest::newRow("site, quoted") << quoted(QStringLiteral("http://www.opusteca.example/contatti")) << "http"
                                  << "www.opusteca.example"
                                  << "/contatti"
                                  << "";
    QTest::newRow("scheme in capitals") << "HTTP://WWW.OPUSTECA.EXAMPLE/"
                                        << "http"
                                        << "www.opusteca.example"
                                        << "/"
                                        << "";
    QTest::newRow("ISBN search") << quoted(QStringLiteral("http://www.google.com/search?q=ISBN:88-04-12345-6"))
                                 << "http"
                                 << "www.google.com"
                                 << "/search"
                                 << "q=ISBN:88-04-12345-6";
    QTest::newRow("blank inside the query")
        << quoted(QStringLiteral("http://www.google.com/search?q=ISBN:978 88")) << "http"
        << "www.google.com"
        << "/search"
        << "q=ISBN:978 88";
}

void TestShellOpen::webAddresses()
{
    QFETCH(QString, command);
    QFETCH(QString, scheme);
    QFETCH(QString, host);
    QFETCH(QString, path);
    QFETCH(QString, query);
    UrlCatcher catcher;
    shell::open(command);
    QCOMPARE(catcher.urls.size(), 1);
    const QUrl url = catcher.urls.first();
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), scheme);
    QCOMPARE(url.host(), host);
    QCOMPARE(url.path(), path);
    QCOMPARE(url.query(QUrl::FullyDecoded), query);
    QVERIFY(!url.toString().contains(QLatin1Char('"')));
}

void TestShellOpen::mailAddressKeepsItsText()
{
    // What the information screen builds: subject and body with blanks and
    // punctuation, not encoded by the caller. What the mail client receives must
    // decode to exactly that text: QUrl encodes the blanks for the transport, and
    // nothing may be encoded twice (a "%" stays one "%", a blank never turns into "%2520").
    const QString query =
        QStringLiteral("subject=Richiesta informazioni Opusteca 2.0"
                       "&body=Buongiorno, vorrei sapere: costa 50% in meno? (grazie!) \u00E8 urgente.");
    UrlCatcher catcher;
    shell::open(quoted(QStringLiteral("mailto:info@opusteca.example?") + query));
    QCOMPARE(catcher.urls.size(), 1);
    const QUrl url = catcher.urls.first();
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QCOMPARE(url.path(), QStringLiteral("info@opusteca.example"));
    QCOMPARE(url.query(QUrl::FullyDecoded), query);
    const QByteArray encoded = url.toEncoded();
    QVERIFY2(!encoded.contains("%2525") && !encoded.contains("%2520"), encoded.constData());
    QVERIFY2(encoded.contains("Richiesta%20informazioni"), encoded.constData());
    QVERIFY2(encoded.contains("50%25%20in"), encoded.constData());
    QVERIFY(!encoded.contains('"'));
}

void TestShellOpen::localPaths_data()
{
    QTest::addColumn<QString>("name"); // inside a temporary folder
    QTest::addColumn<bool>("withQuotes");
    QTest::addColumn<bool>("create");
    QTest::newRow("spaces, quoted") << "Documenti Allegati/Guida utente.pdf" << true << true;
    QTest::newRow("missing, with spaces") << "Non esiste/file mancante.xls" << true << false;
    QTest::newRow("folder") << "Autore_12" << true << true;
    QTest::newRow("URL characters in the name") << "Libri #1 100%?.xls" << true << true;
    QTest::newRow("accented name") << QStringLiteral("Scheda_Autore citt\u00E0.rtf") << true << true;
    QTest::newRow("unquoted") << "Libri.xls" << false << true;
}

void TestShellOpen::localPaths()
{
    QFETCH(QString, name);
    QFETCH(bool, withQuotes);
    QFETCH(bool, create);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (create) {
        if (name.contains(QLatin1Char('.'))) {
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(path));
        }
    }
    UrlCatcher catcher;
    shell::open(withQuotes ? quoted(path) : path);
    QCOMPARE(catcher.urls.size(), 1);
    const QUrl url = catcher.urls.first();
    QVERIFY(url.isLocalFile());
    // The path reaches the desktop whole: no quote left, nothing cut at '#' or '?'.
    QCOMPARE(url.toLocalFile(), path);
}

void TestShellOpen::emptyTextOpensNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("empty") << "";
    QTest::newRow("two quotes") << "\"\"";
}

void TestShellOpen::emptyTextOpensNothing()
{
    QFETCH(QString, command);
    UrlCatcher catcher;
    shell::open(command);
    QCOMPARE(catcher.urls.size(), 0);
}

QTEST_MAIN(TestShellOpen)
#include "tst_shell_open.moc"
