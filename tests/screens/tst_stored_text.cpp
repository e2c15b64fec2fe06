// What a card shows is what its record will hold: characters the code page lacks
// are replaced as they are typed or pasted, in every kind of field of the three
// cards, and the cursor stays where the user was typing.
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "store/Cp1252.h"
#include "support/ArchiveKit.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace opusteca;
using namespace opusteca::test;

namespace {

struct Archive {
    const RecordLayout &layout;
    QString file;
};

Archive archiveOf(const QString &screen)
{
    if (screen == QLatin1String("TfrmLibri")) return {bookLayout(), QStringLiteral("Libri.pro")};
    if (screen == QLatin1String("TfrmAutori")) return {authorLayout(), QStringLiteral("Autori.pro")};
    return {bibliographyLayout(), QStringLiteral("Bibliografie.pro")};
}

} // namespace

class TestStoredText : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QWidget *screen = nullptr;

    void open(const QString &name)
    {
        program = std::make_unique<RunningProgram>();
        screen = openArchive(*program, name);
        QVERIFY(screen && screen->isVisible());
    }

    // The text a field shows and where its cursor stands, whatever its kind.
    QString shown(const QString &control) const
    {
        QWidget *w = screen->findChild<QWidget *>(control);
        if (auto *e = qobject_cast<QLineEdit *>(w)) return e->text();
        if (auto *c = qobject_cast<QComboBox *>(w)) return c->currentText();
        if (auto *m = qobject_cast<QPlainTextEdit *>(w)) return m->toPlainText();
        return QStringLiteral("<no field %1>").arg(control);
    }
    int cursor(const QString &control) const
    {
        QWidget *w = screen->findChild<QWidget *>(control);
        if (auto *e = qobject_cast<QLineEdit *>(w)) return e->cursorPosition();
        if (auto *c = qobject_cast<QComboBox *>(w)) return c->lineEdit()->cursorPosition();
        if (auto *m = qobject_cast<QPlainTextEdit *>(w)) return m->textCursor().position();
        return -1;
    }
    // The field's typing target, its text set and its cursor put at `at`.
    QWidget *prepare(const QString &control, const QString &text, int at)
    {
        QWidget *w = screen->findChild<QWidget *>(control);
        if (auto *c = qobject_cast<QComboBox *>(w)) w = c->lineEdit();
        w->setFocus();
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            e->setText(text);
            e->setCursorPosition(at);
        } else if (auto *m = qobject_cast<QPlainTextEdit *>(w)) {
            m->setPlainText(text);
            QTextCursor c = m->textCursor();
            c.setPosition(at);
            m->setTextCursor(c);
        }
        return w;
    }
    void fillMandatory()
    {
        const auto set = [&](const char *name, const char *value) {
            screen->findChild<QLineEdit *>(QLatin1String(name))->setText(QLatin1String(value));
        };
        if (screen->objectName() == QLatin1String("TfrmLibri")) {
            set("txtTitolo", "Titolo");
            set("txtCodice", "L-1");
            set("txtAutore", "Autore");
        } else if (screen->objectName() == QLatin1String("TfrmAutori")) {
            set("txtAutore", "Autore");
        } else {
            set("txtTitolo", "Ricerca");
        }
    }
    // Saves the new card, goes to a new one and back: the card as read from the file.
    void saveAndComeBack()
    {
        QCOMPARE(answerBoxes([&] { clickPicture(screen, QStringLiteral("cmdSalva")); }).texts,
                 QStringList{kCardInserted});
        clickPicture(screen, QStringLiteral("cmdNuovo"));
        clickPicture(screen, QStringLiteral("cmdPrimo"));
        QCOMPARE(positionOf(screen), QStringLiteral("1"));
    }
    // A memo stores each typed break as CR LF.
    static QByteArray stored(const QString &text)
    {
        return cp1252::encode(QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    }

private slots:
    void cleanup() { program.reset(); }

    void typedTextShowsWhatIsStored_data()
    {
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("accents of the code page") << "TfrmLibri"
                                                  << "txtTitolo"
                                                  << "Città è più, Gödel ñ ß"
                                                  << "Città è più, Gödel ñ ß";
        QTest::newRow("Polish title") << "TfrmLibri"
                                      << "txtTitolo"
                                      << "Łódź"
                                      << "Lódz";
        QTest::newRow("double acute") << "TfrmLibri"
                                      << "txtAutore"
                                      << "Erdős Pál"
                                      << "Erdos Pál";
        QTest::newRow("Greek") << "TfrmLibri"
                               << "txtNote"
                               << "Ω e ω"
                               << "? e ?";
        QTest::newRow("euro and ligatures") << "TfrmLibri"
                                            << "txtPrezzo"
                                            << "€ 12,50 Œœ"
                                            << "€ 12,50 Œœ";
        QTest::newRow("emoji") << "TfrmLibri"
                               << "txtNote"
                               << "bello 😀!"
                               << "bello ?!";
        QTest::newRow("genre list") << "TfrmLibri"
                                    << "txtGenere"
                                    << "Poezja źródeł"
                                    << "Poezja zródel";
        QTest::newRow("language list") << "TfrmLibri"
                                       << "txtLingua"
                                       << "Română"
                                       << "Româna";
        QTest::newRow("author name") << "TfrmAutori"
                                     << "txtAutore"
                                     << "Wisława Szymborska"
                                     << "Wislawa Szymborska";
        QTest::newRow("author memo") << "TfrmAutori"
                                     << "txtBiografia"
                                     << "Nata a Kórnik ☺ nel 1923"
                                     << "Nata a Kórnik ? nel 1923";
        QTest::newRow("memo lines") << "TfrmAutori"
                                    << "txtOpere"
                                    << "Đorđević\nĦal ıstanbul 😀"
                                    << "Dordevic\nHal istanbul ?";
        QTest::newRow("bibliography title") << "TfrmBibliografie"
                                            << "txtTitolo"
                                            << "Œuvres de Ştefan"
                                            << "Œuvres de Stefan";
        QTest::newRow("bibliography list") << "TfrmBibliografie"
                                           << "txtBibliografia"
                                           << "Čapek, R.U.R.\nΣ"
                                           << "Capek, R.U.R.\n?";
    }
    void typedTextShowsWhatIsStored()
    {
        QFETCH(QString, screenName);
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        open(screenName);
        fillMandatory();
        typeText(prepare(control, QString(), 0), typed);
        QCOMPARE(shown(control), expected);
        QCOMPARE(cursor(control), int(expected.size()));

        saveAndComeBack();
        const Archive a = archiveOf(screenName);
        const QByteArray file = program->folder.read(a.file);
        QCOMPARE(fieldBytes(file, a.layout, 1, a.layout.indexOfControl(control)), stored(expected));
        QCOMPARE(shown(control), expected);
    }

    void theCursorStaysWhereTheUserTypes_data()
    {
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("cursorAfter");
        QTest::newRow("line, inside") << "TfrmAutori"
                                      << "txtNazione"
                                      << "Pona" << 2 << "ź"
                                      << "Pozna" << 3;
        QTest::newRow("line, at the start") << "TfrmAutori"
                                            << "txtNazione"
                                            << "ódź" << 0 << "Ł"
                                            << "Lódz" << 1;
        QTest::newRow("line, emoji inside") << "TfrmAutori"
                                            << "txtNazione"
                                            << "ab" << 1 << "😀x"
                                            << "a?xb" << 3;
        QTest::newRow("list, inside") << "TfrmLibri"
                                      << "txtGenere"
                                      << "Sagga" << 4 << "ő"
                                      << "Saggoa" << 5;
        QTest::newRow("memo, second line") << "TfrmAutori"
                                           << "txtBiografia"
                                           << "ab\ncd" << 4 << "ő😀"
                                           << "ab\nco?d" << 6;
        QTest::newRow("memo, kept letters") << "TfrmAutori"
                                            << "txtBiografia"
                                            << "ab\ncd" << 1 << "é€"
                                            << "aé€b\ncd" << 3;
    }
    void theCursorStaysWhereTheUserTypes()
    {
        QFETCH(QString, screenName);
        QFETCH(QString, control);
        QFETCH(QString, before);
        QFETCH(int, at);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(int, cursorAfter);
        open(screenName);
        typeText(prepare(control, before, at), typed);
        QCOMPARE(shown(control), expected);
        QCOMPARE(cursor(control), cursorAfter);
    }

    void pastedTextShowsWhatIsStored_data()
    {
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a line") << "TfrmLibri"
                                << "txtEditore"
                                << "Wydawnictwo Łódzkie – “Wisła” ≠ 😀"
                                << "Wydawnictwo Lódzkie – “Wisla” = ?";
        QTest::newRow("a paragraph")
            << "TfrmAutori"
            << "txtBiografia"
            << "Urodzona w Kórniku, zmarła w Krakowie – “Ça ira” ≈ 5 €.\nŻółw, Ångström, ǅ, 😀 fine."
            << "Urodzona w Kórniku, zmarla w Krakowie – “Ça ira” ? 5 €.\nZólw, Ångström, ?, ? fine.";
    }
    void pastedTextShowsWhatIsStored()
    {
        QFETCH(QString, screenName);
        QFETCH(QString, control);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        open(screenName);
        fillMandatory();
        QWidget *target = prepare(control, QStringLiteral("[]"), 1);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(shown(control), QLatin1Char('[') + expected + QLatin1Char(']'));
        QCOMPARE(cursor(control), int(expected.size()) + 1);

        saveAndComeBack();
        const Archive a = archiveOf(screenName);
        const QByteArray file = program->folder.read(a.file);
        QCOMPARE(fieldBytes(file, a.layout, 1, a.layout.indexOfControl(control)),
                 stored(QLatin1Char('[') + expected + QLatin1Char(']')));
    }

    void aReplacedCharacterIsUndoneWithItsTyping()
    {
        open(QStringLiteral("TfrmAutori"));
        QWidget *target = prepare(QStringLiteral("txtBiografia"), QStringLiteral("ab"), 2);
        typeText(target, QStringLiteral("ź"));
        QCOMPARE(shown(QStringLiteral("txtBiografia")), QStringLiteral("abz"));
        QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shown(QStringLiteral("txtBiografia")), QStringLiteral("ab"));
    }
};

QTEST_MAIN(TestStoredText)
#include "tst_stored_text.moc"
