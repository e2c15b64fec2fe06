// The spreadsheet export screens and the RTF card dialog, driven as a user
// would: the grid, typing into it, the questions, the documents on disk, the
// shell open, and documents that cannot be written.
#include "app/Application.h"
#include "export/TfrmCreaRTF.h"
#include "export/TfrmExpAutori.h"
#include "export/TfrmExpBibliografie.h"
#include "export/TfrmExpLibri.h"
#include "kit/DialogScreen.h"
#include "screens/TfrmAutori.h"
#include "screens/TfrmBibliografie.h"
#include "screens/TfrmLibri.h"
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "store/FileAccess.h"
#include "support/ArchiveKit.h"
#include "support/TestSupport.h"
#include "support/UrlCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const QString kAsk = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kDone =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kFailed = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia già "
    "aperto.");
const QString kRtfAsk = QStringLiteral("Questa procedura esporterà la scheda corrente in un documento in formato "
                                       "RTF.\r\n\r\nSi conferma la creazione del file?");
const QString kRtfDone =
    QStringLiteral("Il file RTF è stato creato con successo.\r\n\r\nSi vuole aprire il documento?");
const QString kRtfFailed = QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                          "Accertarsi che il documento non sia già aperto.");

const QFile::Permissions kReadOnlyFolder =
    QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
const QFile::Permissions kOpenFolder = kReadOnlyFolder | QFile::WriteOwner;

Record book(int i)
{
    return makeRecord(bookLayout(), {{libro::Titolo, QStringLiteral("Libro %1").arg(i)},
                                     {libro::Codice, QStringLiteral("C%1").arg(i)},
                                     {libro::Autore, QStringLiteral("Autore %1").arg(i)},
                                     {libro::Note, QStringLiteral("nota %1").arg(i)},
                                     {libro::Annullata, i == 2 ? libro::yes() : libro::no()}});
}

// The pointer moving over a widget. Sent straight to it: the offscreen
// platform hands moved pointers to the first window under them, which here is
// the book screen below the dialog.
void hover(QWidget *w, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

QTableView *gridOf(QWidget *screen) { return screen->findChild<QTableView *>(QStringLiteral("grdRecords")); }

} // namespace

class TestExportScreens : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void gridShowsTheArchive_data();
    void gridShowsTheArchive();
    void missingArchiveIsCreated();
    void editingStartsOnlyInEditableCells_data();
    void editingStartsOnlyInEditableCells();
    void typedCellIsExportedAndArchiveKept();
    void answers_data();
    void answers();
    void unwritableDocument_data();
    void unwritableDocument();
    void statusLine();
    void rtfCardOnScreen_data();
    void rtfCardOnScreen();
    void rtfNoWritesNothing();
    void rtfUnknownTagDoesNothing();
    void rtfUnwritableDocument_data();
    void rtfUnwritableDocument();

private:
    // Runs inside while the export screen of the given class is open over the
    // book screen; then closes it with its exit picture.
    bool withScreen(const QString &screenClass, const std::function<void(QWidget *)> &inside);
    bool withRtf(const QString &tag, const std::function<void(QWidget *)> &inside);

    std::unique_ptr<RunningProgram> m_program;
    QWidget *m_libri = nullptr;
};

void TestExportScreens::initTestCase()
{
    m_program = std::make_unique<RunningProgram>();
    m_libri = openArchive(*m_program, QStringLiteral("TfrmLibri"));
    QVERIFY(m_libri && m_libri->isVisible());
}

void TestExportScreens::init()
{
    for (const char *name : {"Libri.pro", "Autori.pro", "Bibliografie.pro", "Libri.xls", "Autori.xls",
                             "Bibliografie.xls", "Scheda_Autore.rtf", "Scheda_Bibliografia.rtf"})
        QDir(m_program->folder.path()).remove(QString::fromLatin1(name));
}

void TestExportScreens::cleanup()
{
    fileaccess::setFreeSpaceForTesting(-1);
    fileaccess::setClosesFailForTesting(false);
    QFile::setPermissions(m_program->folder.path(), kOpenFolder);
    QDir(m_program->folder.file(QStringLiteral("Libri.xls"))).removeRecursively();
    QDir(m_program->folder.file(QStringLiteral("Scheda_Autore.rtf"))).removeRecursively();
}

bool TestExportScreens::withScreen(const QString &screenClass, const std::function<void(QWidget *)> &inside)
{
    Application &app = *m_program->app;
    return whileModal(
        [&] {
            if (screenClass == QLatin1String("TfrmExpLibri"))
                openDialog<TfrmExpLibri>(app, m_libri);
            else if (screenClass == QLatin1String("TfrmExpAutori"))
                openDialog<TfrmExpAutori>(app, m_libri);
            else
                openDialog<TfrmExpBibliografie>(app, m_libri);
        },
        screenClass,
        [&](QWidget *screen) {
            inside(screen);
            if (screen->isVisible()) clickPicture(screen, QStringLiteral("cmdEsci"));
        });
}

void TestExportScreens::gridShowsTheArchive_data()
{
    QTest::addColumn<QString>("screenClass");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("lastHeader");

    const QByteArray books = fileOf({book(1), book(2), book(3)});
    QTest::newRow("books") << "TfrmExpLibri"
                           << " Esporta archivio libri in Microsoft Excel" << books << 3 << 26 << "Scheda annullata";
    const QByteArray authors = fileOf({makeRecord(authorLayout(), {{autore::Autore, QStringLiteral("A")}}),
                                       makeRecord(authorLayout(), {{autore::Autore, QStringLiteral("B")}})});
    QTest::newRow("authors") << "TfrmExpAutori"
                             << " Esporta archivio autori in Microsoft Excel" << authors << 2 << 8
                             << "Giudizio personale";
    QTest::newRow("empty bibliographies")
        << "TfrmExpBibliografie"
        << " Esporta archivio bibliografie in Microsoft Excel" << QByteArray() << 10 << 10 << "Destinatari";
}

void TestExportScreens::gridShowsTheArchive()
{
    QFETCH(QString, screenClass);
    QFETCH(QString, caption);
    QFETCH(QByteArray, archive);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QString, lastHeader);
    const QString file = screenClass == QLatin1String("TfrmExpLibri")    ? QStringLiteral("Libri.pro")
                         : screenClass == QLatin1String("TfrmExpAutori") ? QStringLiteral("Autori.pro")
                                                                         : QStringLiteral("Bibliografie.pro");
    m_program->folder.write(file, archive);
    QPointer<QWidget> seen;
    QVERIFY(withScreen(screenClass, [&](QWidget *screen) {
        seen = screen;
        QCOMPARE(screen->windowTitle(), caption);
        QCOMPARE(screen->size(), QSize(862, 560));
        auto *view = qobject_cast<QAbstractItemView *>(gridOf(screen));
        QVERIFY(view);
        QAbstractItemModel *model = view->model();
        QCOMPARE(model->rowCount(), rows);
        QCOMPARE(model->columnCount(), columns);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
        QCOMPARE(model->headerData(columns - 1, Qt::Horizontal).toString(), lastHeader);
        const bool empty = archive.isEmpty();
        for (int r = 0; r < rows; ++r)
            QCOMPARE(model->index(r, 0).data().toString(), empty ? QString() : QString::number(r + 1));
        QTableView *grid = gridOf(screen);
        QCOMPARE(grid->rowHeight(0), 21);
        QVERIFY(grid->alternatingRowColors());
        QCOMPARE(grid->columnWidth(0), 60);
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Esportazione archivio in Microsoft Excel."));
    }));
    QTRY_VERIFY(seen.isNull());
    // Only read: the archive is as it was.
    QCOMPARE(m_program->folder.read(file), archive);
}

void TestExportScreens::missingArchiveIsCreated()
{
    QVERIFY(withScreen(QStringLiteral("TfrmExpAutori"),
                       [&](QWidget *screen) { QCOMPARE(gridOf(screen)->model()->rowCount(), 10); }));
    QVERIFY(QFileInfo(m_program->folder.file(QStringLiteral("Autori.pro"))).isFile());
    QCOMPARE(QFileInfo(m_program->folder.file(QStringLiteral("Autori.pro"))).size(), 0);
}

void TestExportScreens::editingStartsOnlyInEditableCells_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("editable");
    QTest::newRow("note, F2") << 24 << "F2" << true;
    QTest::newRow("note, typed key") << 24 << "key" << true;
    QTest::newRow("author, double click") << 4 << "double" << true;
    QTest::newRow("title, F2") << 1 << "F2" << false;
    QTest::newRow("title, typed key") << 1 << "key" << false;
    QTest::newRow("number, double click") << 0 << "double" << false;
}

void TestExportScreens::editingStartsOnlyInEditableCells()
{
    QFETCH(int, column);
    QFETCH(QString, how);
    QFETCH(bool, editable);
    m_program->folder.write(QStringLiteral("Libri.pro"), fileOf({book(1), book(2)}));
    QVERIFY(withScreen(QStringLiteral("TfrmExpLibri"), [&](QWidget *screen) {
        QTableView *grid = gridOf(screen);
        const QModelIndex cell = grid->model()->index(1, column);
        const QString before = cell.data().toString();
        grid->setFocus();
        grid->setCurrentIndex(cell);
        if (how == QLatin1String("F2")) {
            QTest::keyClick(grid, Qt::Key_F2);
        } else if (how == QLatin1String("key")) {
            QTest::keyClick(grid, Qt::Key_Z);
        } else {
            const QPoint at = grid->visualRect(cell).center();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        }
        auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(cell));
        QCOMPARE(editor != nullptr, editable);
        if (!editor) {
            QCOMPARE(cell.data().toString(), before);
            return;
        }
        if (how == QLatin1String("key")) QCOMPARE(editor->text(), QStringLiteral("z"));
        editor->selectAll();
        typeText(editor, QStringLiteral("Città nuova"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell.data().toString(), QStringLiteral("Città nuova"));
        QTRY_VERIFY(!grid->indexWidget(cell));
    }));
}

void TestExportScreens::typedCellIsExportedAndArchiveKept()
{
    const QByteArray archive = fileOf({book(1), book(2), book(3)});
    m_program->folder.write(QStringLiteral("Libri.pro"), archive);
    QVERIFY(withScreen(QStringLiteral("TfrmExpLibri"), [&](QWidget *screen) {
        QTableView *grid = gridOf(screen);
        const QModelIndex note = grid->model()->index(2, 24);
        grid->setCurrentIndex(note);
        QTest::keyClick(grid, Qt::Key_F2);
        auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(note));
        QVERIFY(editor);
        editor->selectAll();
        // Still being typed when the export picture is clicked.
        typeText(editor, QStringLiteral("  Prestare a <Lia> & co.  "));
        const Boxes a = answerBoxes([&] { clickPicture(screen, QStringLiteral("cmdEsporta")); },
                                    {QMessageBox::Yes, QMessageBox::No});
        QCOMPARE(a.texts, (QStringList{kAsk, kDone}));
    }));
    const QByteArray doc = m_program->folder.read(QStringLiteral("Libri.xls"));
    QCOMPARE(doc.count("<tr>"), 4);
    QCOMPARE(doc.count("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">"), 3 * 25);
    QVERIFY(doc.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">Prestare a &lt;Lia&gt; &amp; co.</td>"));
    QVERIFY(doc.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">nota 1</td>"));
    QVERIFY(!doc.contains("nota 3"));
    QVERIFY(doc.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">S\xEC</td>"));
    QCOMPARE(m_program->folder.read(QStringLiteral("Libri.pro")), archive);

    // Opened again, the grid shows what the archive holds.
    QVERIFY(withScreen(QStringLiteral("TfrmExpLibri"), [&](QWidget *screen) {
        QCOMPARE(gridOf(screen)->model()->index(2, 24).data().toString(), QStringLiteral("nota 3"));
    }));
}

void TestExportScreens::answers_data()
{
    QTest::addColumn<QList<int>>("buttons");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("opened");
    QTest::newRow("no to the first") << QList<int>{QMessageBox::No} << false << false;
    QTest::newRow("no to the second") << QList<int>{QMessageBox::Yes, QMessageBox::No} << true << false;
    QTest::newRow("yes to both") << QList<int>{QMessageBox::Yes, QMessageBox::Yes} << true << true;
}

void TestExportScreens::answers()
{
    QFETCH(QList<int>, buttons);
    QFETCH(bool, written);
    QFETCH(bool, opened);
    m_program->folder.write(QStringLiteral("Bibliografie.pro"),
                            fileOf({makeRecord(bibliographyLayout(), {{bibliografia::Titolo, QStringLiteral("R")}})}));
    m_program->folder.write(QStringLiteral("Bibliografie.xls"), "previous document");
    UrlCatcher shell;
    QVERIFY(withScreen(QStringLiteral("TfrmExpBibliografie"), [&](QWidget *screen) {
        QList<QMessageBox::StandardButton> answers;
        for (int b : buttons) answers << QMessageBox::StandardButton(b);
        answerBoxes([&] { clickPicture(screen, QStringLiteral("cmdEsporta")); }, answers);
        QVERIFY(screen->isVisible());
    }));
    const QByteArray doc = m_program->folder.read(QStringLiteral("Bibliografie.xls"));
    if (written) {
        QVERIFY(doc.startsWith("<html "));
        QVERIFY(doc.contains("<x:Name>Riepilogo Bibliografie</x:Name>"));
        QVERIFY(doc.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">R</td>"));
    } else {
        QCOMPARE(doc, QByteArray("previous document"));
    }
    const QList<QUrl> expected =
        opened ? QList<QUrl>{QUrl::fromLocalFile(m_program->folder.file(QStringLiteral("Bibliografie.xls")))}
               : QList<QUrl>{};
    QCOMPARE(shell.urls, expected);
}

void TestExportScreens::unwritableDocument_data()
{
    QTest::addColumn<QString>("condition");
    QTest::newRow("program folder read-only") << "folder";
    QTest::newRow("name taken by a folder") << "taken";
    // The file layer's free-space seam: the writes of the document find a
    // full disk after its first kilobyte.
    QTest::newRow("disk full") << "full";
    // The file layer's close seam: every byte written, then the device refuses
    // to take them (a full share, a pulled stick).
    QTest::newRow("device fails at the end") << "close";
}

void TestExportScreens::unwritableDocument()
{
    QFETCH(QString, condition);
    m_program->folder.write(QStringLiteral("Libri.pro"), fileOf({book(1)}));
    const QString doc = m_program->folder.file(QStringLiteral("Libri.xls"));
    if (condition == QLatin1String("taken")) {
        QVERIFY(QDir().mkpath(doc));
    } else {
        m_program->folder.write(QStringLiteral("Libri.xls"), "previous");
    }
    UrlCatcher shell;
    QVERIFY(withScreen(QStringLiteral("TfrmExpLibri"), [&](QWidget *screen) {
        if (condition == QLatin1String("folder"))
            QVERIFY(QFile::setPermissions(m_program->folder.path(), kReadOnlyFolder));
        if (condition == QLatin1String("full")) fileaccess::setFreeSpaceForTesting(1024);
        if (condition == QLatin1String("close")) fileaccess::setClosesFailForTesting(true);
        const Boxes a = answerBoxes([&] { clickPicture(screen, QStringLiteral("cmdEsporta")); },
                                    {QMessageBox::Yes, QMessageBox::Ok});
        fileaccess::setFreeSpaceForTesting(-1);
        fileaccess::setClosesFailForTesting(false);
        QFile::setPermissions(m_program->folder.path(), kOpenFolder);
        QCOMPARE(a.texts, (QStringList{kAsk, kFailed}));
        QCOMPARE(a.buttonCounts.value(1), 1);
        QVERIFY(screen->isVisible());
        QCOMPARE(gridOf(screen)->model()->rowCount(), 1);
    }));
    if (condition == QLatin1String("taken"))
        QVERIFY(QFileInfo(doc).isDir());
    else
        QCOMPARE(m_program->folder.read(QStringLiteral("Libri.xls")), QByteArray("previous"));
    QCOMPARE(m_program->folder.read(QStringLiteral("Libri.pro")), fileOf({book(1)}));
    // No temporary copy is left behind beside the document.
    QCOMPARE(QDir(m_program->folder.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("Libri.xls")),
             condition == QLatin1String("taken") ? QStringList() : QStringList{QStringLiteral("Libri.xls")});
    QVERIFY(shell.urls.isEmpty());
}

void TestExportScreens::statusLine()
{
    QVERIFY(withScreen(QStringLiteral("TfrmExpAutori"), [&](QWidget *screen) {
        auto *panInfo = screen->findChild<QLabel *>(QStringLiteral("panInfo"));
        const QList<QPair<QString, QString>> hovers{
            {QStringLiteral("cmdEsporta"), QStringLiteral("Esporta l'archivio in formato Microsoft Excel.")},
            {QStringLiteral("cmdGuida"), QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
            {QStringLiteral("cmdEsci"), QStringLiteral("Esci da questo ambiente di lavoro.")}};
        for (const auto &[name, text] : hovers) {
            hover(screen->findChild<QWidget *>(name), QPoint(5, 5));
            QCOMPARE(panInfo->text(), text);
            hover(screen->findChild<QWidget *>(QStringLiteral("shpSfondo")), QPoint(815, 60));
            QCOMPARE(panInfo->text(), QString());
        }
        // The preview grid's cells are background too.
        hover(screen->findChild<QWidget *>(QStringLiteral("cmdEsporta")), QPoint(5, 5));
        QVERIFY(!panInfo->text().isEmpty());
        hover(gridOf(screen)->viewport(), QPoint(40, 10));
        QCOMPARE(panInfo->text(), QString());
        // Help opens the screen's own topic.
        QString topic;
        QVERIFY(whileModal([&] { clickPicture(screen, QStringLiteral("cmdGuida")); }, QStringLiteral("TfrmGuida"),
                           [&](QWidget *help) {
                               topic = help->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text();
                               help->close();
                           }));
        QCOMPARE(topic, QStringLiteral("Esportazione archivio autori in Microsoft Excel."));
    }));
}

bool TestExportScreens::withRtf(const QString &tag, const std::function<void(QWidget *)> &inside)
{
    Application &app = *m_program->app;
    // Handed the texts of the card the tag names, as that card's RTF picture does.
    QStringList texts;
    if (tag == QLatin1String("autori")) texts = app.autori()->card().texts();
    if (tag == QLatin1String("bibliografie")) texts = app.bibliografie()->card().texts();
    return whileModal(
        [&] {
            openDialog<TfrmCreaRTF>(app, m_libri, [&](TfrmCreaRTF &d) {
                d.setCallerTag(tag);
                d.setCardTexts(texts);
            });
        },
        QStringLiteral("TfrmCreaRTF"), inside);
}

void TestExportScreens::rtfCardOnScreen_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("author") << "autori"
                            << "Scheda_Autore.rtf"
                            << QByteArray("\\par \\pard\\f0\\fs20 Nome:\\b0\\f1  \\f0 Giovanni Verga\\par");
    QTest::newRow("bibliography") << "bibliografie"
                                  << "Scheda_Bibliografia.rtf"
                                  << QByteArray("\\par \\pard\\f0\\fs20 Titolo ricerca:\\b0\\f1  \\f0 "
                                                "\\{Verismo\\} C:\\\\Ricerche\\par");
}

void TestExportScreens::rtfCardOnScreen()
{
    QFETCH(QString, tag);
    QFETCH(QString, document);
    QFETCH(QByteArray, expected);
    // Typed on the card, never saved.
    Application &app = *m_program->app;
    app.autori()->card().setText(autore::Autore, QStringLiteral("  Giovanni Verga "));
    app.autori()->card().setText(autore::Biografia, QStringLiteral("Uno.\r\nDue.\r\nTre."));
    app.bibliografie()->card().setText(bibliografia::Titolo, QStringLiteral("{Verismo} C:\\Ricerche  "));
    UrlCatcher shell;
    QPointer<QWidget> dialog;
    QVERIFY(withRtf(tag, [&](QWidget *d) {
        dialog = d;
        const Boxes a = answerBoxes([&] { click(d->findChild<QWidget *>(QStringLiteral("btnStampa"))); },
                                    {QMessageBox::Yes, QMessageBox::Yes});
        QCOMPARE(a.texts, (QStringList{kRtfAsk, kRtfDone}));
    }));
    QTRY_VERIFY(dialog.isNull());
    const QByteArray doc = m_program->folder.read(document);
    QVERIFY(doc.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    QVERIFY2(doc.contains(expected), doc.constData());
    if (tag == QLatin1String("autori"))
        QVERIFY(doc.contains("\\par \\b Biografia:\\b0\\f1  \\f0 Uno.\\par Due.\\par Tre.\\par"));
    QCOMPARE(shell.urls, QList<QUrl>{QUrl::fromLocalFile(m_program->folder.file(document))});
}

void TestExportScreens::rtfNoWritesNothing()
{
    m_program->folder.write(QStringLiteral("Scheda_Autore.rtf"), "previous");
    QPointer<QWidget> dialog;
    QVERIFY(withRtf(QStringLiteral("autori"), [&](QWidget *d) {
        dialog = d;
        const Boxes a =
            answerBoxes([&] { click(d->findChild<QWidget *>(QStringLiteral("btnStampa"))); }, {QMessageBox::No});
        QCOMPARE(a.texts, QStringList{kRtfAsk});
    }));
    QTRY_VERIFY(dialog.isNull());
    QCOMPARE(m_program->folder.read(QStringLiteral("Scheda_Autore.rtf")), QByteArray("previous"));
}

void TestExportScreens::rtfUnknownTagDoesNothing()
{
    QVERIFY(withRtf(QStringLiteral("libri"), [&](QWidget *d) {
        const Boxes a = answerBoxes([&] { click(d->findChild<QWidget *>(QStringLiteral("btnStampa"))); });
        QVERIFY(a.texts.isEmpty());
        QVERIFY(d->isVisible());
        click(d->findChild<QWidget *>(QStringLiteral("btnAnnulla")));
        QVERIFY(!d->isVisible());
    }));
    QVERIFY(QDir(m_program->folder.path()).entryList({QStringLiteral("*.rtf")}).isEmpty());
}

void TestExportScreens::rtfUnwritableDocument_data()
{
    QTest::addColumn<QString>("condition");
    QTest::newRow("name taken by a folder") << "taken";
    // The file layer's free-space seam: room for the first few bytes only.
    QTest::newRow("disk full") << "full";
}

void TestExportScreens::rtfUnwritableDocument()
{
    QFETCH(QString, condition);
    const QString doc = m_program->folder.file(QStringLiteral("Scheda_Autore.rtf"));
    if (condition == QLatin1String("taken"))
        QVERIFY(QDir().mkpath(doc));
    else
        m_program->folder.write(QStringLiteral("Scheda_Autore.rtf"), "previous");
    UrlCatcher shell;
    QPointer<QWidget> dialog;
    QVERIFY(withRtf(QStringLiteral("autori"), [&](QWidget *d) {
        dialog = d;
        if (condition == QLatin1String("full")) fileaccess::setFreeSpaceForTesting(16);
        const Boxes a = answerBoxes([&] { click(d->findChild<QWidget *>(QStringLiteral("btnStampa"))); },
                                    {QMessageBox::Yes, QMessageBox::Ok});
        fileaccess::setFreeSpaceForTesting(-1);
        QCOMPARE(a.texts, (QStringList{kRtfAsk, kRtfFailed}));
        QCOMPARE(a.buttonCounts.value(1), 1);
    }));
    QTRY_VERIFY(dialog.isNull());
    if (condition == QLatin1String("taken")) {
        QVERIFY(QFileInfo(doc).isDir());
    } else {
        QCOMPARE(m_program->folder.read(QStringLiteral("Scheda_Autore.rtf")), QByteArray("previous"));
    }
    // No temporary copy is left behind beside the document.
    QCOMPARE(QDir(m_program->folder.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".rtf")),
             condition == QLatin1String("taken") ? QStringList() : QStringList{QStringLiteral("Scheda_Autore.rtf")});
    QVERIFY(shell.urls.isEmpty());
}

QTEST_MAIN(TestExportScreens)
#include "tst_export_screens.moc"
