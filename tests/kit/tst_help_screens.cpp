// The start menu's layout, the information and credits screens, the help viewer
// and the three links, through the whole program running against a temporary
// program folder. Handlers for every scheme catch what the links open.
#include "app/Application.h"
#include "kit/Links.h"
#include "kit/TfrmGuida.h"
#include "kit/core/HelpTopics.h"
#include "kit/core/Maker.h"
#include "support/TestSupport.h"
#include "support/UrlCatcher.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QUrl>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const QColor kDarkBlue(0x00, 0x00, 0x8b);
const QColor kOrange(0xff, 0x8c, 0x00);
// The maker's addresses as the build was configured with them.
const QString kSite = QStringLiteral(OPUSTECA_CONFIGURED_SITE);
const QString kMail = QStringLiteral(OPUSTECA_CONFIGURED_MAIL);

QColor textColour(const QWidget *w) { return w->palette().color(QPalette::WindowText); }

void clickWithMouse(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center()); }

// Every label's text inside a screen, to see whether anything changed. The
// status line follows the pointer and is left out.
QStringList labelTexts(QWidget *screen)
{
    QStringList texts;
    for (QLabel *l : screen->findChildren<QLabel *>())
        if (l->objectName() != QLatin1String("panInfo")) texts << l->objectName() + QLatin1Char('=') + l->text();
    return texts;
}

} // namespace

class TestHelpScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QWidget *avvio = nullptr;

private slots:
    void init()
    {
        program = std::make_unique<RunningProgram>();
        program->signIn();
        avvio = topLevel(QStringLiteral("TfrmAvvio"));
        QVERIFY(avvio && avvio->isVisible());
    }
    void cleanup() { program.reset(); }

    void startMenuLayout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry"); // an empty size: only the place is fixed
        QTest::addColumn<bool>("clickable");
        QTest::newRow("imgInfo") << "imgInfo" << QRect(14, 14, 30, 30) << true;
        QTest::newRow("imgGuida") << "imgGuida" << QRect(952, 16, 29, 28) << true;
        QTest::newRow("imgLogo") << "imgLogo" << QRect(118, 22, 0, 0) << false;
        QTest::newRow("imgTitolo") << "imgTitolo" << QRect(214, 26, 0, 0) << false;
        QTest::newRow("Image1") << "Image1" << QRect(806, 24, 0, 0) << false;
        QTest::newRow("imgSottotitolo") << "imgSottotitolo" << QRect(17, 110, 961, 22) << false;
        const QList<QPair<QString, int>> columns{
            {QStringLiteral("Autori"), 22}, {QStringLiteral("Libri"), 350}, {QStringLiteral("Bibliografie"), 680}};
        for (const auto &[key, x] : columns) {
            QTest::addRow("img%s", qPrintable(key)) << QStringLiteral("img") + key << QRect(x, 162, 288, 268) << true;
            QTest::addRow("btn%s", qPrintable(key)) << QStringLiteral("btn") + key << QRect(x, 438, 281, 42) << true;
            QTest::addRow("inf%s", qPrintable(key)) << QStringLiteral("inf") + key << QRect(x, 490, 290, 105) << true;
        }
        QTest::newRow("imgSito") << "imgSito" << QRect(17, 628, 961, 22) << true;
        QTest::newRow("imgCrediti") << "imgCrediti" << QRect(16, 660, 23, 22) << true;
        QTest::newRow("imgEsci") << "imgEsci" << QRect(960, 662, 17, 18) << true;
    }

    void startMenuLayout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(bool, clickable);
        auto *panel = avvio->findChild<QWidget *>(QStringLiteral("panContainer"));
        QVERIFY(panel);
        QCOMPARE(panel->size(), QSize(995, 692));
        // Centred in the window.
        const QPoint centre = panel->mapTo(avvio, panel->rect().center());
        QVERIFY(qAbs(centre.x() - avvio->width() / 2) <= 1);
        QWidget *w = avvio->findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->parentWidget(), panel);
        QVERIFY(w->isVisible());
        QCOMPARE(w->pos(), geometry.topLeft());
        if (!geometry.size().isEmpty()) QCOMPARE(w->size(), geometry.size());
        // Nothing reaches past the sheet.
        QVERIFY(panel->rect().contains(w->geometry()));
        QCOMPARE(w->cursor().shape(), clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
        // The pictures show their artwork once the menu is on show.
        auto *label = qobject_cast<QLabel *>(w);
        QVERIFY(label);
        if (label->text().isEmpty()) {
            const QImage image = label->pixmap().toImage();
            QVERIFY2(!image.isNull(), qPrintable(name));
            bool painted = false;
            for (int y = 0; y < image.height() && !painted; y += 2)
                for (int x = 0; x < image.width() && !painted; x += 2) painted = qAlpha(image.pixel(x, y)) > 0;
            QVERIFY2(painted, qPrintable(name));
        }
    }

    void startMenuHasNoStatusLine()
    {
        QVERIFY(!avvio->findChild<QWidget *>(QStringLiteral("panInfo")));
        QVERIFY(!avvio->findChild<QStatusBar *>());
        // Moving over every picture and back over the sheet changes no text on show.
        const QStringList before = labelTexts(avvio);
        auto *sheet = avvio->findChild<QWidget *>(QStringLiteral("shpSfondo"));
        QVERIFY(sheet);
        for (QLabel *l : avvio->findChildren<QLabel *>()) {
            if (!l->isVisible()) continue;
            QTest::mouseMove(l, l->rect().center());
            QEvent enter(QEvent::Enter);
            QCoreApplication::sendEvent(l, &enter);
            QTest::mouseMove(sheet, QPoint(5, 5));
        }
        QCOMPARE(labelTexts(avvio), before);
    }

    void screensFromTheStartMenu_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("caption");
        QTest::newRow("information") << "imgInfo"
                                     << "TfrmInfo" << QSize(473, 579) << " Informazioni su Opusteca 2.0";
        QTest::newRow("credits") << "imgCrediti"
                                 << "TfrmSplash" << QSize(661, 467)
                                 << QStringLiteral(" Opusteca 2.0 - \u00A9 2026 Opusteca Software");
        QTest::newRow("help") << "imgGuida"
                              << "TfrmGuida" << QSize(670, 572) << " Guida all'utilizzo del software";
    }

    void screensFromTheStartMenu()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, screen);
        QFETCH(QSize, size);
        QFETCH(QString, caption);
        QWidget *opener = avvio->findChild<QWidget *>(trigger);
        QVERIFY(opener);
        bool checked = false;
        const bool opened =
            whileModal([&] { clickWithMouse(opener); }, screen,
                       [&](QWidget *dlg) {
                           QCOMPARE(dlg->size(), size);
                           QCOMPARE(dlg->minimumSize(), size);
                           QCOMPARE(dlg->maximumSize(), size);
                           QCOMPARE(dlg->windowTitle(), caption);
                           QCOMPARE(dlg->parentWidget(), avvio);
                           QVERIFY(!(dlg->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
                           // Every control inside the client area, none overlapping another.
                           QList<QRect> placed;
                           for (const char *name : {"btnChiudi", "lnkWeb", "imgLogo", "imgEmail", "imgWeb", "imgPDF"}) {
                               auto *w = dlg->findChild<QWidget *>(QString::fromLatin1(name));
                               if (!w) continue;
                               const QRect r(w->mapTo(dlg, QPoint(0, 0)), w->size());
                               QVERIFY2(dlg->rect().contains(r), name);
                               for (const QRect &other : placed) QVERIFY2(!other.intersects(r), name);
                               placed << r;
                           }
                           auto *chiudi = dlg->findChild<QPushButton *>(QStringLiteral("btnChiudi"));
                           QVERIFY(chiudi);
                           QCOMPARE(chiudi->text(), QStringLiteral("Chiudi"));
                           checked = true;
                           chiudi->click();
                       });
        QVERIFY(opened);
        QVERIFY(checked);
        // Closed and destroyed; the start menu is on show as before.
        QVERIFY(!avvio->findChild<QWidget *>(screen));
        QCOMPARE(visibleTopLevels(), QStringList{QStringLiteral("TfrmAvvio")});
    }

    void links_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("linkText");
        QTest::addColumn<QString>("opened"); // what the shell receives, as text
        QTest::newRow("contact mail")
            << "imgInfo"
            << "TfrmInfo"
            << "imgEmail" << kMail
            << QStringLiteral("mailto:") + kMail +
                   QStringLiteral("?subject=Software Opusteca 2.0&body=Salve, desidererei avere le seguenti "
                                  "informazioni sul software in oggetto:");
        QTest::newRow("web site") << "imgCrediti"
                                  << "TfrmSplash"
                                  << "imgWeb" << kSite << kSite;
        QTest::newRow("user guide") << "imgGuida"
                                    << "TfrmGuida"
                                    << "imgPDF"
                                    << "Visualizza guida in formato PDF" << QStringLiteral("file:Guida.pdf");
    }

    void links()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, screen);
        QFETCH(QString, picture);
        QFETCH(QString, linkText);
        QFETCH(QString, opened);
        UrlCatcher catcher;
        bool checked = false;
        const bool shown = whileModal(
            [&] { clickWithMouse(avvio->findChild<QWidget *>(trigger)); }, screen,
            [&](QWidget *dlg) {
                auto *text = dlg->findChild<QLabel *>(QStringLiteral("lnkWeb"));
                auto *pic = dlg->findChild<QLabel *>(picture);
                QVERIFY(text && pic);
                QCOMPARE(text->text(), linkText);
                QVERIFY(text->font().underline());
                QCOMPARE(text->font().pointSize(), 14);
                QCOMPARE(text->cursor().shape(), Qt::PointingHandCursor);
                QCOMPARE(pic->cursor().shape(), Qt::PointingHandCursor);
                QCOMPARE(textColour(text), kDarkBlue);
                for (QLabel *target : {text, pic}) {
                    // Orange while the button is down, dark blue again on release, then the action.
                    QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
                    QCOMPARE(textColour(text), kOrange);
                    QCOMPARE(catcher.urls.size(), 0);
                    QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
                    QCOMPARE(textColour(text), kDarkBlue);
                    QCOMPARE(catcher.urls.size(), 1);
                    const QUrl url = catcher.urls.takeFirst();
                    if (url.isLocalFile()) {
                        QCOMPARE(url.toLocalFile(), QDir(program->folder.path()).filePath(QStringLiteral("Guida.pdf")));
                        QCOMPARE(opened, QStringLiteral("file:Guida.pdf"));
                    } else {
                        QCOMPARE(url.toString(QUrl::FullyDecoded), opened);
                    }
                }
                // Pressed, then released away from the link: the colour comes back, nothing opens.
                QTest::mousePress(text, Qt::LeftButton, Qt::NoModifier, text->rect().center());
                QCOMPARE(textColour(text), kOrange);
                QTest::mouseRelease(text, Qt::LeftButton, Qt::NoModifier, QPoint(-20, -20));
                QCOMPARE(textColour(text), kDarkBlue);
                QCOMPARE(catcher.urls.size(), 0);
                checked = true;
                dlg->findChild<QPushButton *>(QStringLiteral("btnChiudi"))->click();
            });
        QVERIFY(shown);
        QVERIFY(checked);
    }

    void linkTexts()
    {
        // What the three links hand to the shell, character for character.
        QCOMPARE(links::contactMail(),
                 QStringLiteral("\"mailto:") + kMail +
                     QStringLiteral("?subject=Software Opusteca 2.0&body=Salve, desidererei avere le seguenti "
                                    "informazioni sul software in oggetto:\""));
        QCOMPARE(links::makerSite(), kSite);
        QVERIFY(!links::makerSite().contains(QLatin1Char('"')));
        const QString folder = QStringLiteral("/tmp/Una cartella/Opusteca");
        QCOMPARE(links::userGuide(folder),
                 QLatin1Char('"') + QDir::toNativeSeparators(folder + QStringLiteral("/Guida.pdf")) + QLatin1Char('"'));
        // The addresses are the ones the build was configured with.
        QCOMPARE(maker::site(), kSite);
        QCOMPARE(maker::mail(), kMail);
    }

    void helpViewer_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("trigger"); // on the start menu, or on the archive screen
        QTest::newRow("start menu") << "TfrmAvvio"
                                    << "imgGuida";
        QTest::newRow("books") << "TfrmLibri"
                               << "cmdGuida";
        QTest::newRow("authors") << "TfrmAutori"
                                 << "cmdGuida";
        QTest::newRow("bibliographies") << "TfrmBibliografie"
                                        << "cmdGuida";
    }

    void helpViewer()
    {
        QFETCH(QString, screen);
        QFETCH(QString, trigger);
        QWidget *owner = avvio;
        if (screen != QLatin1String("TfrmAvvio")) {
            clickWithMouse(avvio->findChild<QWidget *>(QStringLiteral("btn") + screen.mid(4)));
            owner = topLevel(screen);
            QVERIFY(owner && owner->isVisible());
            // Something typed on the card must still be there when the viewer closes.
            auto *field = owner->findChild<QLineEdit *>();
            QVERIFY(field);
            field->setText(QStringLiteral("non salvato"));
        }
        const QStringList before = labelTexts(owner);
        QList<QLineEdit *> fields = owner->findChildren<QLineEdit *>();
        QStringList typed;
        for (QLineEdit *f : fields) typed << f->text();

        const HelpTopic topic = helpTopic(screen);
        bool checked = false;
        const bool shown =
            whileModal([&] { clickWithMouse(owner->findChild<QWidget *>(trigger)); }, QStringLiteral("TfrmGuida"),
                       [&](QWidget *dlg) {
                           QCOMPARE(dlg->parentWidget(), owner);
                           auto *title = dlg->findChild<QLabel *>(QStringLiteral("lblTitolo"));
                           auto *text = dlg->findChild<HelpText *>(QStringLiteral("txtGuida"));
                           QVERIFY(title && text);
                           QCOMPARE(title->text(), topic.title);
                           QVERIFY(text->isReadOnly());
                           QCOMPARE(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
                           // The text as set: paragraphs joined by CR LF CR LF; shown with an empty line between them.
                           const QString set = text->property("text").toString();
                           QCOMPARE(set, topic.text());
                           QCOMPARE(set.split(QStringLiteral("\r\n\r\n")).size(), topic.paragraphs.size());
                           QCOMPARE(text->toPlainText().split(QStringLiteral("\n\n")), topic.paragraphs);
                           QCOMPARE(text->geometry(), QRect(8, 128, 625, 350));
                           QCOMPARE(title->pos(), QPoint(8, 104));
                           // The title's line ends where the text begins.
                           QVERIFY(title->geometry().bottom() < text->geometry().top());
                           checked = true;
                           dlg->findChild<QPushButton *>(QStringLiteral("btnChiudi"))->click();
                       });
        QVERIFY(shown);
        QVERIFY(checked);
        QVERIFY(owner->isVisible());
        QCOMPARE(labelTexts(owner), before);
        QStringList after;
        for (QLineEdit *f : fields) after << f->text();
        QCOMPARE(after, typed);
        QVERIFY(!owner->findChild<QWidget *>(QStringLiteral("TfrmGuida")));
    }
};

QTEST_MAIN(TestHelpScreens)
#include "tst_help_screens.moc"
