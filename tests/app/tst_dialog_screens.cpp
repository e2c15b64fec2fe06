// Every dialog screen has a title bar with its caption and no buttons, keeps its
// size and is left only through its own controls; the long-lived screens keep
// the window buttons their role gives them. The yellow focus frame belongs to
// the fields of the archive, search and password screens and to no others.
#include "app/Application.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "attach/TfrmAllegaCartella.h"
#include "attach/TfrmCartella.h"
#include "export/TfrmCreaRTF.h"
#include "export/TfrmExpAutori.h"
#include "export/TfrmExpBibliografie.h"
#include "export/TfrmExpLibri.h"
#include "export/TfrmStampaLibro.h"
#include "import/TfrmImportaLibri.h"
#include "kit/Conventions.h"
#include "kit/Messages.h"
#include "kit/TfrmGuida.h"
#include "screens/TfrmCodici_Dewey.h"
#include "search/TfrmTrovaAutori.h"
#include "search/TfrmTrovaBibliografie.h"
#include "search/TfrmTrovaDisponibili.h"
#include "search/TfrmTrovaLibri.h"
#include "support/ArchiveKit.h"
#include "support/TestSupport.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <functional>
#include <map>

using namespace opusteca;
using namespace opusteca::test;

namespace {

using Factory = std::function<DialogScreen *(Application &, QWidget *)>;

template <class Screen>
Factory make()
{
    return [](Application &app, QWidget *opener) { return new Screen(app, opener); };
}

const std::map<QString, Factory> &factories()
{
    static const std::map<QString, Factory> screens{
        {QStringLiteral("TfrmGuida"), make<TfrmGuida>()},
        {QStringLiteral("TfrmInfo"), make<TfrmInfo>()},
        {QStringLiteral("TfrmSplash"), make<TfrmSplash>()},
        {QStringLiteral("TfrmAllegaCartella"), make<TfrmAllegaCartella>()},
        {QStringLiteral("TfrmCodici_Dewey"), make<TfrmCodici_Dewey>()},
        {QStringLiteral("TfrmTrovaLibri"), make<TfrmTrovaLibri>()},
        {QStringLiteral("TfrmExpLibri"), make<TfrmExpLibri>()},
        {QStringLiteral("TfrmTrovaDisponibili"), make<TfrmTrovaDisponibili>()},
        {QStringLiteral("TfrmStampaLibro"), make<TfrmStampaLibro>()},
        {QStringLiteral("TfrmCartella"), make<TfrmCartella>()},
        {QStringLiteral("TfrmExpAutori"), make<TfrmExpAutori>()},
        {QStringLiteral("TfrmTrovaAutori"), make<TfrmTrovaAutori>()},
        {QStringLiteral("TfrmCreaRTF"), make<TfrmCreaRTF>()},
        {QStringLiteral("TfrmTrovaBibliografie"), make<TfrmTrovaBibliografie>()},
        {QStringLiteral("TfrmExpBibliografie"), make<TfrmExpBibliografie>()},
        {QStringLiteral("TfrmImportaLibri"), make<TfrmImportaLibri>()},
    };
    return screens;
}

constexpr Qt::WindowFlags kButtons =
    Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint;

} // namespace

class TestDialogScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

private slots:
    void init() { program = std::make_unique<RunningProgram>(); }
    void cleanup() { program.reset(); }

    void dialogScreens_data()
    {
        QTest::addColumn<QString>("screen");
        for (const auto &entry : factories()) QTest::newRow(qPrintable(entry.first)) << entry.first;
    }
    void dialogScreens()
    {
        QFETCH(QString, screen);
        QWidget *opener = topLevel(QStringLiteral("TfrmPassword"));
        std::unique_ptr<DialogScreen> d(factories().at(screen)(*program->app, opener));
        QCOMPARE(d->objectName(), screen);

        // A title bar with the caption and nothing else on it.
        const Qt::WindowFlags flags = d->windowFlags();
        QVERIFY(flags & Qt::WindowTitleHint);
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QCOMPARE(flags & kButtons, Qt::WindowFlags());
        QVERIFY(!d->windowTitle().trimmed().isEmpty());

        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        // Fixed size.
        QCOMPARE(d->minimumSize(), d->maximumSize());
        QCOMPARE(d->size(), d->minimumSize());

        QSignalSpy finished(d.get(), &QDialog::finished);
        // Esc, wherever the focus is, does not close it.
        QTest::keyClick(d->focusWidget() ? d->focusWidget() : d.get(), Qt::Key_Escape);
        QTest::keyClick(d.get(), Qt::Key_Escape);
        QVERIFY(d->isVisible());
        // Nor does the window system's close (a close button or Alt+F4): it reaches
        // the window as a close event that no code of the program asked for.
        QCloseEvent systemClose;
        QCoreApplication::sendEvent(d->windowHandle(), &systemClose);
        QVERIFY(!systemClose.isAccepted());
        QVERIFY(d->isVisible());
        // A window manager's minimise is undone.
        d->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!(d->windowState() & Qt::WindowMinimized));
        QVERIFY(d->isVisible());
        QCOMPARE(finished.count(), 0);

        // Its own closing control does close it.
        QWidget *closer = nullptr;
        for (const QString &name :
             {QStringLiteral("btnChiudi"), QStringLiteral("btnAnnulla"), QStringLiteral("cmdEsci")}) {
            QWidget *w = d->findChild<QWidget *>(name);
            if (w && w->isVisible() && !closer) closer = w;
        }
        QVERIFY(closer);
        clickPicture(d.get(), closer->objectName());
        QTRY_VERIFY(!d->isVisible());
        QCOMPARE(finished.count(), 1);
    }

    void longLivedScreens_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("buttons");
        QTest::newRow("login") << "TfrmPassword" << false;
        QTest::newRow("change password") << "TfrmCambiaPassword" << false;
        QTest::newRow("start menu") << "TfrmAvvio" << true;
        QTest::newRow("books") << "TfrmLibri" << true;
        QTest::newRow("authors") << "TfrmAutori" << true;
        QTest::newRow("bibliographies") << "TfrmBibliografie" << true;
    }
    void longLivedScreens()
    {
        QFETCH(QString, screen);
        QFETCH(bool, buttons);
        QWidget *w = topLevel(screen);
        QVERIFY(w);
        const Qt::WindowFlags flags = w->windowFlags();
        QVERIFY(flags & Qt::WindowTitleHint);
        if (buttons) {
            QVERIFY(!(flags & Qt::CustomizeWindowHint));
        } else {
            QCOMPARE(flags & kButtons, Qt::WindowFlags());
            QCOMPARE(w->minimumSize(), w->maximumSize());
        }
    }

    // The six kinds of message box: each under the program's name, with its
    // icon and buttons, Enter pressing the first of them.
    void messageBoxes_data()
    {
        using B = QMessageBox::StandardButton;
        QTest::addColumn<int>("kind");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::addColumn<QMessageBox::StandardButtons>("buttons");
        QTest::addColumn<B>("byDefault");
        QTest::newRow("warning") << 0 << QMessageBox::Warning << (B::Ok | B::Cancel) << B::Ok;
        QTest::newRow("error") << 1 << QMessageBox::Critical << (B::Ok | B::Cancel) << B::Ok;
        QTest::newRow("information") << 2 << QMessageBox::Information << (B::Ok | B::Cancel) << B::Ok;
        QTest::newRow("confirmation") << 3 << QMessageBox::Question << (B::Yes | B::No) << B::Yes;
        QTest::newRow("plain") << 4 << QMessageBox::NoIcon << QMessageBox::StandardButtons(B::Ok) << B::Ok;
        QTest::newRow("system error") << 5 << QMessageBox::Critical << QMessageBox::StandardButtons(B::Ok) << B::Ok;
    }
    void messageBoxes()
    {
        using B = QMessageBox::StandardButton;
        QFETCH(int, kind);
        QFETCH(QMessageBox::Icon, icon);
        QFETCH(QMessageBox::StandardButtons, buttons);
        QFETCH(B, byDefault);
        QWidget *parent = topLevel(QStringLiteral("TfrmPassword"));
        const QString text = QStringLiteral("Attenzione: prova.");
        bool answer = false;
        const Boxes boxes = answerBoxes(
            [&] {
                switch (kind) {
                case 0:
                    msg::warning(parent, text);
                    break;
                case 1:
                    msg::error(parent, text);
                    break;
                case 2:
                    msg::information(parent, text);
                    break;
                case 3:
                    answer = msg::confirm(parent, text);
                    break;
                case 4:
                    msg::plain(parent, text);
                    break;
                default:
                    msg::systemError(parent, text);
                }
            },
            byDefault);
        QCOMPARE(boxes.texts, QStringList{text});
        QCOMPARE(boxes.captions, QStringList{QStringLiteral("Opusteca 2.0")});
        QCOMPARE(boxes.icons, QList<QMessageBox::Icon>{icon});
        QCOMPARE(boxes.defaults, QList<B>{byDefault});
        QCOMPARE(boxes.offered, QList<QMessageBox::StandardButtons>{buttons});
        if (kind == 3) QVERIFY(answer);
    }

    void focusFrames_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("framed");
        for (const auto &entry : factories())
            QTest::newRow(qPrintable(entry.first)) << entry.first << entry.first.startsWith(QLatin1String("TfrmTrova"));
        for (const char *screen : {"TfrmPassword", "TfrmCambiaPassword", "TfrmLibri", "TfrmAutori", "TfrmBibliografie"})
            QTest::newRow(screen) << QString::fromLatin1(screen) << true;
    }
    void focusFrames()
    {
        QFETCH(QString, screen);
        QFETCH(bool, framed);
        std::unique_ptr<DialogScreen> dialog;
        QWidget *w = topLevel(screen);
        if (!w) {
            dialog.reset(factories().at(screen)(*program->app, topLevel(QStringLiteral("TfrmPassword"))));
            w = dialog.get();
        }
        QVERIFY(w);
        int fields = 0;
        for (QWidget *field : w->findChildren<QWidget *>()) {
            if (!field->objectName().startsWith(QLatin1String("txt"))) continue;
            if (!qobject_cast<QLineEdit *>(field) && !qobject_cast<QComboBox *>(field) &&
                !qobject_cast<QPlainTextEdit *>(field))
                continue;
            ++fields;
            auto *frame = w->findChild<FocusFrame *>(FocusFrame::frameNameFor(field->objectName()));
            if (framed) {
                QVERIFY2(frame && frame->field() == field, qPrintable(field->objectName()));
            } else {
                QVERIFY2(!frame, qPrintable(field->objectName()));
            }
        }
        if (framed) QVERIFY(fields > 0);
        if (!framed) QCOMPARE(w->findChildren<FocusFrame *>().size(), 0);
    }
};

QTEST_MAIN(TestDialogScreens)
#include "tst_dialog_screens.moc"
