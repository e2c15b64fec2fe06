// The import screen as a user meets it: opened from the book screen, a file
// picked in dlgFile, the columns and the first rows shown, the import done,
// told and listed; bad files refused with their message; and Annulla in the
// progress window leaving the archive as it was.
#include "import/TfrmImportaLibri.h"
#include "store/BookRecord.h"
#include "support/ArchiveKit.h"
#include "support/Files.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const QString kData = QStringLiteral(OPUSTECA_SOURCE_DIR "/tests/data/import/");

QStringList listed(QWidget *screen)
{
    QStringList out;
    auto *l = screen->findChild<QListWidget *>(QStringLiteral("lstScarti"));
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}

} // namespace

class TestImportScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> m_program;
    QWidget *m_libri = nullptr;
    QString archive() const { return m_program->folder.file(QStringLiteral("Libri.pro")); }

    // Opens the screen from the book screen's toolbar and runs inside() on it.
    bool withScreen(const std::function<void(TfrmImportaLibri *)> &inside)
    {
        return whileModal([&] { clickPicture(m_libri, QStringLiteral("cmdImporta")); },
                          QStringLiteral("TfrmImportaLibri"),
                          [&](QWidget *w) {
                              inside(static_cast<TfrmImportaLibri *>(w));
                              if (w->isVisible()) click(w->findChild<QPushButton *>(QStringLiteral("btnChiudi")));
                          });
    }

private slots:
    void initTestCase()
    {
        m_program = std::make_unique<RunningProgram>();
        m_libri = openArchive(*m_program, QStringLiteral("TfrmLibri"));
        QVERIFY(m_libri && m_libri->isVisible());
    }
    void init() { QFile::remove(archive()); }

    void openedWithItsDefaults()
    {
        QString hover;
        auto *panInfo = m_libri->findChild<QLabel *>(QStringLiteral("panInfo"));
        QTest::mouseMove(m_libri->findChild<QWidget *>(QStringLiteral("cmdImporta")));
        QTRY_VERIFY(!panInfo->text().isEmpty());
        QCOMPARE(panInfo->text(),
                 QStringLiteral("Importa in archivio i libri di un catalogo esistente (CSV, Goodreads, "
                                "LibraryThing, Opusteca)."));
        // Beside the export picture, in the same group.
        QWidget *importa = m_libri->findChild<QWidget *>(QStringLiteral("cmdImporta"));
        QCOMPARE(importa->parentWidget(), m_libri->findChild<QWidget *>(QStringLiteral("cmdEsporta"))->parentWidget());

        QVERIFY(withScreen([&](TfrmImportaLibri *s) {
            QVERIFY(s->isModal());
            QCOMPARE(s->parentWidget(), m_libri);
            auto *formato = s->findChild<QComboBox *>(QStringLiteral("cmbFormato"));
            QStringList items;
            for (int i = 0; i < formato->count(); ++i) items << formato->itemText(i);
            QCOMPARE(items, (QStringList{"Riconosci automaticamente", "CSV o TSV con intestazioni", "Goodreads (CSV)",
                                         "LibraryThing (TSV)", "Opusteca (.xls)"}));
            QCOMPARE(formato->currentIndex(), 0);
            QCOMPARE(s->findChild<QLineEdit *>(QStringLiteral("txtPrefisso"))->text(), QStringLiteral("IMP"));
            auto *dup = s->findChild<QCheckBox *>(QStringLiteral("chkDuplicati"));
            QCOMPARE(dup->text(), QStringLiteral("Importa anche i libri già presenti"));
            QVERIFY(!dup->isChecked());
            for (const char *name : {"btnSfoglia", "grdColonne", "grdAnteprima", "btnImporta", "btnChiudi", "lstScarti",
                                     "cmdGuida", "panInfo"})
                QVERIFY2(s->findChild<QWidget *>(QString::fromLatin1(name)), name);
            // Nothing picked yet: Importa says so and writes nothing.
            const Boxes boxes = answerBoxes([&] { click(s->findChild<QPushButton *>(QStringLiteral("btnImporta"))); });
            QCOMPARE(boxes.count(), 1);
            QVERIFY(boxes.texts[0].startsWith(QStringLiteral("Attenzione: per importare")));
        }));
        QVERIFY(!QFile::exists(archive()) || QFileInfo(archive()).size() == 0);
    }

    void pickedImportedAndTold()
    {
        QVERIFY(withScreen([&](TfrmImportaLibri *s) {
            // The file chosen in the file dialog, as the user would.
            const bool picked = whileModal([&] { click(s->findChild<QPushButton *>(QStringLiteral("btnSfoglia"))); },
                                           QStringLiteral("dlgFile"),
                                           [&](QWidget *w) {
                                               auto *dlg = qobject_cast<QFileDialog *>(w);
                                               dlg->setDirectory(kData);
                                               dlg->selectFile(kData + QStringLiteral("goodreads_utf8.csv"));
                                               static_cast<QDialog *>(dlg)->accept(); // as the Open button does
                                           });
            QVERIFY(picked);
            QCOMPARE(s->findChild<QLineEdit *>(QStringLiteral("txtFile"))->text(),
                     QDir::toNativeSeparators(kData + QStringLiteral("goodreads_utf8.csv")));

            auto *cols = s->findChild<QTableWidget *>(QStringLiteral("grdColonne"));
            QCOMPARE(cols->rowCount(), 24);
            QCOMPARE(cols->item(1, 0)->text(), QStringLiteral("Title"));
            QCOMPARE(qobject_cast<QComboBox *>(cols->cellWidget(1, 1))->currentText(), QStringLiteral("Titolo libro"));
            QCOMPARE(qobject_cast<QComboBox *>(cols->cellWidget(0, 1))->currentText(),
                     QStringLiteral("(non importare)"));

            auto *grid = s->findChild<QTableView *>(QStringLiteral("grdAnteprima"));
            QAbstractItemModel *m = grid->model();
            QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Titolo libro"));
            QCOMPARE(m->rowCount(), 4);
            QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("Il barone rampante"));
            QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("IMP-000001"));

            // Binding sent nowhere: the preview and the import follow.
            auto *binding = qobject_cast<QComboBox *>(cols->cellWidget(10, 1));
            QCOMPARE(binding->currentText(), QStringLiteral("Formato"));
            binding->setCurrentIndex(0);

            const Boxes boxes = answerBoxes([&] { click(s->findChild<QPushButton *>(QStringLiteral("btnImporta"))); });
            QCOMPARE(boxes.texts, QStringList{QStringLiteral(
                                      "Importazione completata: 4 libri importati, 1 già presenti, 1 scartati.")});
            QCOMPARE(boxes.icons[0], QMessageBox::Information);
            QCOMPARE(listed(s),
                     (QStringList{QStringLiteral("Riga 3: manca l'autore, libro scartato."),
                                  QStringLiteral("Riga 6: libro già presente, non importato."),
                                  QStringLiteral("Riga 7: campo \"Titolo libro\" tagliato a 250 caratteri.")}));

            // A second import of the same file finds the books again by their
            // ISBN; the one with neither ISBN nor code cannot be told apart.
            const Boxes again = answerBoxes([&] { click(s->findChild<QPushButton *>(QStringLiteral("btnImporta"))); });
            QCOMPARE(again.texts, QStringList{QStringLiteral(
                                      "Importazione completata: 1 libri importati, 4 già presenti, 1 scartati.")});
        }));
        const QByteArray file = readAll(archive());
        QCOMPARE(file.size(), 5 * 3237);
        QCOMPARE(fieldBytes(file, bookLayout(), 1, libro::Titolo), QByteArray("Il barone rampante"));
        QCOMPARE(fieldBytes(file, bookLayout(), 1, libro::Formato), QByteArray());
        QCOMPARE(fieldBytes(file, bookLayout(), 4, libro::Codice), QByteArray("IMP-000004"));
        QCOMPARE(fieldBytes(file, bookLayout(), 5, libro::Codice), QByteArray("IMP-000005"));
        QCOMPARE(fieldBytes(file, bookLayout(), 5, libro::Titolo), fieldBytes(file, bookLayout(), 3, libro::Titolo));
    }

    void badFilesRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << 0
                                 << "Attenzione: il file indicato non può essere aperto.\r\n\r\nAccertarsi che il file "
                                    "esista e di avere il permesso di leggerlo.";
        QTest::newRow("empty") << QByteArray("") << 0 << "Attenzione: il file indicato è vuoto.";
        QTest::newRow("not text") << QByteArray("PK\x03\x04\0\0\0\x08\0\0", 10) << 0
                                  << "Attenzione: il file indicato non è un file di testo né un documento esportato da "
                                     "Opusteca, e non può essere importato.";
        QTest::newRow("header, no rows") << QByteArray("Titolo;Autore\r\n") << 0
                                         << "Attenzione: il file indicato non contiene nessun libro: sotto la riga "
                                            "delle intestazioni non c'è nessuna riga da importare.";
        QTest::newRow("no column known") << QByteArray("Foo;Bar;\r\nx;y;z\r\n") << 0
                                         << "Attenzione: nessuna colonna del file corrisponde a un campo della "
                                            "scheda.\r\n\r\nColonne trovate: Foo, Bar, (senza nome).\r\n\r\nIndicare "
                                            "nella tabella delle colonne quale campo riempire con ciascuna.";
        QTest::newRow("not our document") << QByteArray("Titolo;Autore\r\nx;y\r\n") << 4
                                          << "Attenzione: il file indicato non è un documento esportato da "
                                             "Opusteca.\r\n\r\nScegliere un altro formato oppure \"Riconosci "
                                             "automaticamente\".";
    }
    void badFilesRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, format);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("catalogo.csv"));
        if (QByteArray(QTest::currentDataTag()) != "missing") writeAll(path, content);
        QVERIFY(withScreen([&](TfrmImportaLibri *s) {
            s->findChild<QComboBox *>(QStringLiteral("cmbFormato"))->setCurrentIndex(format);
            const Boxes boxes = answerBoxes([&] { s->loadFile(path); });
            QCOMPARE(boxes.texts, QStringList{message});
            QCOMPARE(boxes.icons[0], QMessageBox::Warning);
            // Importa afterwards writes nothing and says why again.
            const Boxes then = answerBoxes([&] { click(s->findChild<QPushButton *>(QStringLiteral("btnImporta"))); });
            QCOMPARE(then.count(), 1);
            QVERIFY(then.texts[0].startsWith(QStringLiteral("Attenzione: ")));
        }));
        QVERIFY(!QFile::exists(archive()) || QFileInfo(archive()).size() == 0);
    }

    void annullaLeavesTheArchive_data()
    {
        QTest::addColumn<QString>("during");
        QTest::newRow("while checking") << "Controllo delle righe del file in corso...";
        QTest::newRow("while writing") << "Scrittura dei libri in archivio in corso...";
    }
    void annullaLeavesTheArchive()
    {
        QFETCH(QString, during);
        const QList<Record> two = {
            makeRecord(bookLayout(), {{libro::Titolo, "x"}, {libro::Codice, "A-1"}, {libro::Autore, "y"}}),
            makeRecord(bookLayout(), {{libro::Titolo, "z"}, {libro::Codice, "A-2"}, {libro::Autore, "w"}})};
        writeAll(archive(), fileOf(two));
        const QByteArray before = readAll(archive());
        QTemporaryDir dir;
        QByteArray csv = "Titolo,Autore\n";
        for (int i = 0; i < 3000; ++i) csv += "Libro " + QByteArray::number(i) + ",Autore\n";
        writeAll(dir.filePath(QStringLiteral("molti.csv")), csv);

        QString label, cancelText, title;
        QVERIFY(withScreen([&](TfrmImportaLibri *s) {
            s->loadFile(dir.filePath(QStringLiteral("molti.csv")));
            QTimer poll;
            poll.setInterval(0);
            connect(&poll, &QTimer::timeout, [&] {
                auto *dlg = s->findChild<QProgressDialog *>(QStringLiteral("dlgAvanzamento"));
                if (!dlg || !dlg->isVisible() || dlg->labelText() != during) return;
                label = dlg->labelText();
                title = dlg->windowTitle();
                const QList<QPushButton *> buttons = dlg->findChildren<QPushButton *>();
                if (!buttons.isEmpty()) cancelText = buttons[0]->text();
                QCOMPARE(QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape()
                                                           : Qt::ArrowCursor,
                         Qt::WaitCursor);
                dlg->cancel();
                poll.stop();
            });
            poll.start();
            const Boxes boxes = answerBoxes([&] { click(s->findChild<QPushButton *>(QStringLiteral("btnImporta"))); });
            poll.stop();
            QCOMPARE(boxes.count(), 0);
            QVERIFY(!QGuiApplication::overrideCursor());
        }));
        QCOMPARE(label, during);
        QCOMPARE(title, QStringLiteral(" Importazione catalogo"));
        QCOMPARE(cancelText, QStringLiteral("Annulla"));
        QCOMPARE(readAll(archive()), before);
    }
};

QTEST_MAIN(TestImportScreen)
#include "tst_import_screen.moc"
