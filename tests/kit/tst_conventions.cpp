// The three interaction conventions on a small screen of their own: status line
// (driven by the real pointer through the window), focus highlight and Enter chain.
#include "kit/Conventions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

using namespace opusteca;

namespace {

const QString kReady = QStringLiteral("Pronto per archiviare una nuova scheda...");
const QString kSalva = QStringLiteral("Salva la scheda corrente in archivio.");
const QString kNuova = QStringLiteral("Prepara una nuova scheda vuota.");

template <class W>
W *place(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *w = new W(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
}

// A screen laid out like an archive screen: a container panel and a plain
// rectangle as background, pictures with hover texts, a field, a label and a
// check box without one, a field lying on the rectangle, and the status line.
struct StatusScreen {
    QWidget window;
    QLabel *panInfo;
    StatusScreen()
    {
        window.setObjectName(QStringLiteral("screen"));
        window.resize(400, 300);
        auto *panContainer = place<QWidget>(&window, QStringLiteral("panContainer"), QRect(0, 0, 400, 240));
        auto *shp = place<QFrame>(panContainer, QStringLiteral("shpRiquadro"), QRect(240, 90, 140, 120));
        place<QLineEdit>(shp, QStringLiteral("txtDentro"), QRect(10, 40, 100, 24));
        // A multi-line field: the pointer is over its viewport, a bare widget of its own.
        place<QPlainTextEdit>(shp, QStringLiteral("txtMemo"), QRect(10, 5, 120, 30));
        // A plain holder that only lays out its fields: its gaps are background too.
        auto *holder = place<QWidget>(shp, QStringLiteral("holder"), QRect(10, 70, 120, 45));
        place<QLineEdit>(holder, QStringLiteral("txtNelGruppo"), QRect(0, 0, 120, 20));
        auto *salva = place<QLabel>(panContainer, QStringLiteral("cmdSalva"), QRect(10, 10, 40, 40));
        auto *nuova = place<QLabel>(panContainer, QStringLiteral("cmdNuovo"), QRect(60, 10, 40, 40));
        place<QLineEdit>(panContainer, QStringLiteral("txtTitolo"), QRect(10, 100, 200, 24));
        place<QLabel>(panContainer, QStringLiteral("lblTitolo"), QRect(10, 130, 100, 20))
            ->setText(QStringLiteral("Titolo:"));
        place<QCheckBox>(panContainer, QStringLiteral("chkAnnullata"), QRect(10, 160, 100, 20));
        panInfo = place<QLabel>(&window, QStringLiteral("panInfo"), QRect(0, 260, 400, 30));
        panInfo->setText(kReady);

        auto *status = new StatusLine(panInfo);
        status->addHover(salva, kSalva);
        status->addHover(nuova, kNuova);
        status->addBackground(&window);
        status->addBackground(panContainer);
        status->addBackground(shp);
    }
    // Where the pointer goes for a name: the middle of a control, or a bare spot of a background.
    QPoint spot(const QString &name)
    {
        if (name == QLatin1String("screen")) return QPoint(200, 250); // above the status line
        if (name == QLatin1String("panContainer")) return QPoint(300, 40);
        if (name == QLatin1String("shpRiquadro")) return QPoint(370, 200);
        if (name == QLatin1String("holder")) return QPoint(300, 195); // below its field, inside it
        QWidget *w = window.findChild<QWidget *>(name);
        return w ? w->mapTo(&window, w->rect().center()) : QPoint();
    }
};

} // namespace

class TestConventions : public QObject {
    Q_OBJECT

private slots:
    void statusLine_data();
    void statusLine();
    void frameNames_data();
    void frameNames();
    void focusFrame();
    void enterChain_data();
    void enterChain();
    void enterLink();
    void enterPressesTheButtonItLeadsTo_data();
    void enterPressesTheButtonItLeadsTo();
};

void TestConventions::statusLine_data()
{
    QTest::addColumn<QStringList>("path");     // where the pointer goes, in order
    QTest::addColumn<QStringList>("expected"); // panInfo after each step
    QTest::newRow("over a field first: the laid-out text stays") << QStringList{"txtTitolo"} << QStringList{kReady};
    QTest::newRow("over a picture") << QStringList{"cmdSalva"} << QStringList{kSalva};
    QTest::newRow("picture, then field") << QStringList{"cmdSalva", "txtTitolo"} << QStringList{kSalva, kSalva};
    QTest::newRow("picture, then label") << QStringList{"cmdSalva", "lblTitolo"} << QStringList{kSalva, kSalva};
    QTest::newRow("picture, then check box") << QStringList{"cmdNuovo", "chkAnnullata"} << QStringList{kNuova, kNuova};
    QTest::newRow("picture, then status line") << QStringList{"cmdNuovo", "panInfo"} << QStringList{kNuova, kNuova};
    QTest::newRow("picture to picture") << QStringList{"cmdSalva", "cmdNuovo", "cmdSalva"}
                                        << QStringList{kSalva, kNuova, kSalva};
    QTest::newRow("picture, then container") << QStringList{"cmdSalva", "panContainer"} << QStringList{kSalva, ""};
    QTest::newRow("picture, then rectangle") << QStringList{"cmdSalva", "shpRiquadro"} << QStringList{kSalva, ""};
    QTest::newRow("picture, then the window") << QStringList{"cmdSalva", "screen"} << QStringList{kSalva, ""};
    QTest::newRow("picture, then a gap between fields") << QStringList{"cmdSalva", "holder"} << QStringList{kSalva, ""};
    QTest::newRow("field in a holder") << QStringList{"cmdNuovo", "txtNelGruppo"} << QStringList{kNuova, kNuova};
    QTest::newRow("picture, then multi-line field")
        << QStringList{"cmdSalva", "txtMemo"} << QStringList{kSalva, kSalva};
    QTest::newRow("multi-line field first") << QStringList{"txtMemo"} << QStringList{kReady};
    QTest::newRow("field lying on a rectangle") << QStringList{"cmdNuovo", "txtDentro"} << QStringList{kNuova, kNuova};
    QTest::newRow("background first") << QStringList{"panContainer"} << QStringList{""};
    QTest::newRow("emptied, never back to the first text")
        << QStringList{"cmdSalva", "panContainer", "txtTitolo", "shpRiquadro", "cmdNuovo"}
        << QStringList{kSalva, "", "", "", kNuova};
}

void TestConventions::statusLine()
{
    QFETCH(QStringList, path);
    QFETCH(QStringList, expected);
    StatusScreen s;
    s.window.move(600, 400); // away from where the pointer rests
    s.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    QWindow *handle = s.window.windowHandle();
    // The pointer leaves at the end, so that the next screen does not open under it.
    const auto leave = qScopeGuard([handle] { QTest::mouseMove(handle, QPoint(-50, -50)); });
    QCOMPARE(s.panInfo->text(), kReady);
    for (int i = 0; i < path.size(); ++i) {
        // Arrive from the side, as a pointer does, then move within the target.
        const QPoint at = s.spot(path[i]);
        QVERIFY2(!at.isNull(), qPrintable(path[i]));
        QTest::mouseMove(handle, at);
        QTest::mouseMove(handle, at + QPoint(1, 1));
        QTRY_COMPARE(s.panInfo->text(), expected[i]);
    }
}

void TestConventions::frameNames_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("frame");
    QTest::newRow("book title") << "txtTitolo"
                                << "effTitolo";
    QTest::newRow("old password") << "txtPasswordOld"
                                  << "effPasswordOld";
    QTest::newRow("confirmation") << "txtConferma"
                                  << "effConferma";
    QTest::newRow("txt only at the start") << "txtCittatxt"
                                           << "effCittatxt";
}

void TestConventions::frameNames()
{
    QFETCH(QString, field);
    QFETCH(QString, frame);
    QWidget parent;
    auto *edit = place<QLineEdit>(&parent, field, QRect(20, 30, 200, 24));
    auto *f = new FocusFrame(edit);
    QCOMPARE(f->objectName(), frame);
    QCOMPARE(parent.findChild<QWidget *>(frame), f);
}

void TestConventions::focusFrame()
{
    QWidget window;
    window.resize(500, 400);
    auto *titolo = place<QLineEdit>(&window, QStringLiteral("txtTitolo"), QRect(20, 30, 200, 24));
    auto *autore = place<QLineEdit>(&window, QStringLiteral("txtAutore"), QRect(20, 80, 200, 24));
    auto *note = place<QPlainTextEdit>(&window, QStringLiteral("txtNote"), QRect(20, 130, 300, 80));
    auto *genere = place<QComboBox>(&window, QStringLiteral("txtGenere"), QRect(20, 230, 200, 26));
    genere->setEditable(true);
    auto *chk = place<QCheckBox>(&window, QStringLiteral("chkAnnullata"), QRect(20, 280, 100, 20));
    const QList<QWidget *> fields{titolo, autore, note, genere};
    QList<FocusFrame *> frames;
    for (QWidget *f : fields) frames << new FocusFrame(f);

    for (int i = 0; i < fields.size(); ++i) {
        QVERIFY(frames[i]->isHidden());
        QCOMPARE(frames[i]->geometry(), fields[i]->geometry().adjusted(-4, -4, 4, 4));
        // Drawn behind its field.
        QVERIFY(window.children().indexOf(frames[i]) < window.children().indexOf(fields[i]));
    }

    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const auto shown = [&] {
        QStringList names;
        for (FocusFrame *f : frames)
            if (!f->isHidden()) names << f->objectName();
        return names;
    };
    for (int i : {0, 1, 2, 3, 1, 0}) {
        fields[i]->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(shown(), QStringList{frames[i]->objectName()});
    }
    // The editable list passes the focus to its own line edit and keeps the frame.
    genere->setFocus(Qt::TabFocusReason);
    genere->lineEdit()->setFocus(Qt::MouseFocusReason);
    QCOMPARE(shown(), QStringList{QStringLiteral("effGenere")});
    chk->setFocus(Qt::TabFocusReason);
    QCOMPARE(shown(), QStringList());

    // The frame keeps to its field when the field moves or grows.
    autore->setGeometry(40, 90, 260, 30);
    QCOMPARE(frames[1]->geometry(), QRect(36, 86, 268, 38));
}

void TestConventions::enterChain_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::newRow("archive screen: wraps") << true;
    QTest::newRow("no wrap") << false;
}

void TestConventions::enterChain()
{
    QFETCH(bool, wrap);
    QWidget window;
    window.resize(400, 400);
    auto *a = place<QLineEdit>(&window, QStringLiteral("txtA"), QRect(10, 10, 200, 24));
    auto *b = place<QLineEdit>(&window, QStringLiteral("txtB"), QRect(10, 50, 200, 24));
    auto *note = place<QPlainTextEdit>(&window, QStringLiteral("txtNote"), QRect(10, 90, 200, 80));
    auto *c = place<QLineEdit>(&window, QStringLiteral("txtC"), QRect(10, 190, 200, 24));
    auto *list = place<QComboBox>(&window, QStringLiteral("txtD"), QRect(10, 230, 200, 26));
    list->setEditable(true);
    auto *outside = place<QLineEdit>(&window, QStringLiteral("txtFuori"), QRect(10, 280, 200, 24));
    new EnterChain(&window, {a, b, note, c, list}, wrap);

    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy aReturn(a, &QLineEdit::returnPressed);
    QSignalSpy bReturn(b, &QLineEdit::returnPressed);
    QSignalSpy cReturn(c, &QLineEdit::returnPressed);
    QSignalSpy listReturn(list->lineEdit(), &QLineEdit::returnPressed);
    const auto enter = [](Qt::Key key = Qt::Key_Return) { QTest::keyClick(QApplication::focusWidget(), key); };

    a->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), a);
    enter();
    QCOMPARE(QApplication::focusWidget(), b);
    enter(Qt::Key_Enter); // the keypad's Enter too
    QCOMPARE(QApplication::focusWidget(), note);
    // A multi-line field keeps Enter as a line break; the chain leaves it by other means.
    QTest::keyClicks(note, QStringLiteral("riga"));
    enter();
    QTest::keyClicks(note, QStringLiteral("due"));
    QCOMPARE(QApplication::focusWidget(), note);
    QCOMPARE(note->toPlainText(), QStringLiteral("riga\ndue"));
    c->setFocus();
    enter();
    QVERIFY(list->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Romanzo"));
    QCOMPARE(list->currentText(), QStringLiteral("Romanzo"));
    enter();
    QCOMPARE(QApplication::focusWidget() == a, wrap);
    if (!wrap) QVERIFY(list->hasFocus());
    QCOMPARE(aReturn.count() + bReturn.count() + cReturn.count() + listReturn.count(), 0);
    QCOMPARE(list->count(), 0); // Enter did not add the list's text as an entry either

    // A field outside the chain keeps Enter to itself.
    QSignalSpy outsideReturn(outside, &QLineEdit::returnPressed);
    outside->setFocus();
    enter();
    QCOMPARE(outsideReturn.count(), 1);
    QCOMPARE(QApplication::focusWidget(), outside);
}

void TestConventions::enterLink()
{
    QWidget window;
    auto *from = place<QLineEdit>(&window, QStringLiteral("txtDa"), QRect(10, 10, 100, 24));
    auto *to = place<QLineEdit>(&window, QStringLiteral("txtA"), QRect(10, 50, 100, 24));
    EnterChain::link(from, to);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy fromReturn(from, &QLineEdit::returnPressed);
    from->setFocus();
    QTest::keyClick(from, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), to);
    QCOMPARE(fromReturn.count(), 0);
}

void TestConventions::enterPressesTheButtonItLeadsTo_data()
{
    QTest::addColumn<bool>("viaLink"); // a single link, or the end of a chain
    QTest::addColumn<int>("key");
    QTest::newRow("link, Return") << true << int(Qt::Key_Return);
    QTest::newRow("link, keypad Enter") << true << int(Qt::Key_Enter);
    QTest::newRow("chain end, Return") << false << int(Qt::Key_Return);
}

void TestConventions::enterPressesTheButtonItLeadsTo()
{
    QFETCH(bool, viaLink);
    QFETCH(int, key);
    QWidget window;
    window.resize(300, 200);
    auto *a = place<QLineEdit>(&window, QStringLiteral("txtA"), QRect(10, 10, 100, 24));
    auto *b = place<QLineEdit>(&window, QStringLiteral("txtB"), QRect(10, 50, 100, 24));
    auto *trova = place<QPushButton>(&window, QStringLiteral("btnTrova"), QRect(150, 50, 80, 28));
    if (viaLink) {
        EnterChain::link(a, b);
        EnterChain::link(b, trova);
        EnterChain::link(b, trova); // linking twice presses it once
    } else {
        new EnterChain(&window, {a, b, trova}, false);
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy clicked(trova, &QPushButton::clicked);
    const auto enter = [key] { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); };

    a->setFocus();
    enter();
    QCOMPARE(QApplication::focusWidget(), b);
    enter();
    // Enter reaches the button without pressing it...
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(trova));
    QCOMPARE(clicked.count(), 0);
    // ...and presses it once it has the focus, each time.
    enter();
    QCOMPARE(clicked.count(), 1);
    enter();
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(trova));
    // A disabled button stays unpressed.
    trova->setEnabled(false);
    QTest::keyClick(trova, Qt::Key(key));
    QCOMPARE(clicked.count(), 2);
}

QTEST_MAIN(TestConventions)
#include "tst_conventions.moc"
