// The built program started as a process on a virtual display, driven with the
// mouse and the keyboard as a user drives it: what only the real executable
// does (its translations, how the process ends) is seen from outside. The
// program describes its windows through its window probe; the test reads those
// lines to know where to click and what a message box offers.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

const QString kProgramDir = QStringLiteral(OPUSTECA_PROGRAM_DIR);

// A display of its own for the test: Xvfb and a window manager (openbox), so
// that windows are placed, maximised and closed as on a desktop.
class VirtualDisplay {
public:
    ~VirtualDisplay()
    {
        for (QProcess *p : {&m_wm, &m_x}) {
            if (p->state() == QProcess::NotRunning) continue;
            p->terminate();
            if (!p->waitForFinished(5000)) p->kill();
            p->waitForFinished(5000);
        }
    }

    // Empty when the display is up, else why not.
    QString start()
    {
        for (int n = 90; n < 190; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))) continue;
            m_x.start(QStringLiteral("Xvfb"),
                      {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"), QStringLiteral("0"),
                       QStringLiteral("1366x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!m_x.waitForStarted(5000)) return QStringLiteral("Xvfb did not start");
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
            QElapsedTimer t;
            t.start();
            while (!QFile::exists(socket) && m_x.state() == QProcess::Running && t.elapsed() < 10000)
                m_x.waitForFinished(50);
            if (m_x.state() != QProcess::Running) continue; // another server took the number meanwhile
            if (!QFile::exists(socket)) return QStringLiteral("Xvfb opened no socket");
            m_name = QStringLiteral(":%1").arg(n);
            break;
        }
        if (m_name.isEmpty()) return QStringLiteral("no free display number");
        m_wm.setProcessEnvironment(environment());
        m_wm.setProcessChannelMode(QProcess::MergedChannels);
        m_wm.start(QStringLiteral("openbox"), {});
        if (!m_wm.waitForStarted(5000)) return QStringLiteral("openbox did not start");
        // The window manager is there once it names the current desktop.
        QElapsedTimer t;
        t.start();
        while (!xdotool({QStringLiteral("get_desktop")}))
            if (t.elapsed() > 15000 || m_wm.state() != QProcess::Running)
                return QStringLiteral("openbox did not take the display: ") + QString::fromLocal8Bit(m_wm.readAll());
        return {};
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_name);
        return env;
    }

    bool xdotool(const QStringList &args) const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral("xdotool"), args);
        return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

private:
    QProcess m_x, m_wm;
    QString m_name;
};

QPoint centreOf(const QJsonValue &place)
{
    const QJsonArray r = place.toArray();
    return {r.at(0).toInt() + r.at(2).toInt() / 2, r.at(1).toInt() + r.at(3).toInt() / 2};
}

// The built program in a folder of its own (a copy of the built one: the
// program folder is where the executable is), reporting its windows.
class Program {
public:
    explicit Program(const VirtualDisplay &display) : m_display(display) {}
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    bool start()
    {
        for (const char *name : {"Opusteca", "unins000.dll"})
            if (!QFile::copy(kProgramDir + QLatin1Char('/') + QLatin1String(name), m_dir.filePath(QLatin1String(name))))
                return false;
        QProcessEnvironment env = m_display.environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("OPUSTECA_WINDOW_PROBE"), probePath());
        // A program built with the sanitizers is still checked for memory
        // errors; what the window system's libraries keep until exit is theirs.
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        env.remove(QStringLiteral("OPUSTECA_PRINT_TO_PDF"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(m_dir.filePath(QStringLiteral("Opusteca")), {});
        return m_process.waitForStarted(10000);
    }

    QString folder() const { return m_dir.path(); }

    // The window's description once it is on show and has stopped moving (a
    // window manager places and maximises it after it is shown); empty when it
    // does not come within the time.
    QJsonObject waitShown(const QString &name, int timeoutMs = 30000)
    {
        QElapsedTimer t;
        t.start();
        qsizetype seenLines = -1;
        int quietPolls = 0;
        while (t.elapsed() < timeoutMs) {
            const QList<QJsonObject> lines = probeLines();
            const QJsonObject last = lastAbout(lines, name);
            if (lines.size() == seenLines) {
                ++quietPolls;
            } else {
                seenLines = lines.size();
                quietPolls = 0;
            }
            if (last.contains(QLatin1String("place")) && quietPolls >= 3) return last;
            if (m_process.state() == QProcess::NotRunning) return {};
            QThread::msleep(100);
        }
        return {};
    }

    bool waitHidden(const QString &name, int timeoutMs = 30000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs) {
            if (lastAbout(probeLines(), name).contains(QLatin1String("hidden"))) return true;
            QThread::msleep(100);
        }
        return false;
    }

    bool click(const QPoint &at)
    {
        return m_display.xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
                                  QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    }
    bool clickControl(const QJsonObject &window, const QString &control)
    {
        const QJsonValue place = window.value(QLatin1String("controls")).toObject().value(control);
        return place.isArray() && click(centreOf(place));
    }
    bool type(const QString &text)
    {
        return m_display.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), text});
    }
    bool key(const QString &keys) { return m_display.xdotool({QStringLiteral("key"), keys}); }
    // The window manager's close (Alt+F4) on the program's window on show.
    bool closeWindowOnShow()
    {
        QProcess search;
        search.setProcessEnvironment(m_display.environment());
        search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                 QStringLiteral("--pid"), QString::number(m_process.processId())});
        if (!search.waitForFinished(10000)) return false;
        const QList<QByteArray> ids = search.readAllStandardOutput().trimmed().split('\n');
        if (ids.size() != 1 || ids.front().isEmpty()) return false;
        return m_display.xdotool(
                   {QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::fromLatin1(ids.front())}) &&
               key(QStringLiteral("alt+F4"));
    }

    // True when the process ended by itself, normally, within the time.
    bool endsWithin(int ms)
    {
        return m_process.waitForFinished(ms) && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }
    bool running() const { return m_process.state() == QProcess::Running; }

    // Signs in with the initial password: the start menu is then on show.
    QJsonObject signIn()
    {
        const QJsonObject login = waitShown(QStringLiteral("TfrmPassword"));
        if (login.isEmpty() || !clickControl(login, QStringLiteral("txtPassword")) ||
            !type(QStringLiteral("OPUSTECA")) || !key(QStringLiteral("Return")))
            return {};
        return waitShown(QStringLiteral("TfrmAvvio"));
    }

private:
    QString probePath() const { return m_dir.filePath(QStringLiteral("windows.jsonl")); }

    QList<QJsonObject> probeLines() const
    {
        QFile f(probePath());
        QList<QJsonObject> lines;
        if (!f.open(QIODevice::ReadOnly)) return lines;
        for (const QByteArray &l : f.readAll().split('\n'))
            if (!l.isEmpty()) lines.append(QJsonDocument::fromJson(l).object());
        return lines;
    }

    static QJsonObject lastAbout(const QList<QJsonObject> &lines, const QString &name)
    {
        for (qsizetype i = lines.size() - 1; i >= 0; --i)
            if (lines[i].value(QLatin1String("window")).toString() == name ||
                lines[i].value(QLatin1String("hidden")).toString() == name)
                return lines[i];
        return {};
    }

    const VirtualDisplay &m_display;
    QTemporaryDir m_dir;
    QProcess m_process;
};

// A button's text as the user reads it: without the marks of its access key.
QString shownText(QString text)
{
    static const QRegularExpression mark(QStringLiteral("&(.)"));
    return text.replace(mark, QStringLiteral("\\1"));
}

QStringList buttonTexts(const QJsonObject &box)
{
    QStringList texts;
    for (const QJsonValue &b : box.value(QLatin1String("buttons")).toArray())
        texts << shownText(b.toObject().value(QLatin1String("text")).toString());
    return texts;
}

QPoint buttonCentre(const QJsonObject &box, const QString &text)
{
    for (const QJsonValue &b : box.value(QLatin1String("buttons")).toArray())
        if (shownText(b.toObject().value(QLatin1String("text")).toString()) == text)
            return centreOf(b.toObject().value(QLatin1String("place")));
    return {-1, -1};
}

// The message box on show: its caption, the start of its text, its buttons as
// the user reads them (in any order) and the default one; then `answer` is clicked.
void answerBox(Program &program, const QString &textStart, QStringList buttons, const QString &defaultButton,
               const QString &answer)
{
    const QJsonObject box = program.waitShown(QStringLiteral("msgBox"));
    QCOMPARE(box.value(QLatin1String("title")).toString(), QStringLiteral("Opusteca 2.0"));
    QVERIFY(box.value(QLatin1String("text")).toString().startsWith(textStart));
    QStringList texts = buttonTexts(box);
    texts.sort();
    buttons.sort();
    QCOMPARE(texts, buttons);
    QCOMPARE(shownText(box.value(QLatin1String("default")).toString()), defaultButton);
    QVERIFY(program.click(buttonCentre(box, answer)));
    QVERIFY(program.waitHidden(QStringLiteral("msgBox")));
}

} // namespace

class TestProgramProcess : public QObject {
    Q_OBJECT

    std::unique_ptr<VirtualDisplay> m_display;

private slots:
    void initTestCase()
    {
        QStringList missing;
        for (const char *tool : {"Xvfb", "openbox", "xdotool"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) missing << QLatin1String(tool);
        if (!missing.isEmpty()) {
            // The test command installs them and must not pass without this check.
            if (qEnvironmentVariableIsSet("OPUSTECA_REQUIRE_DISPLAY_CHECK"))
                QFAIL(qPrintable(QStringLiteral("missing: ") + missing.join(QLatin1Char(' '))));
            QSKIP("needs Xvfb, openbox and xdotool");
        }
        QVERIFY(QFile::exists(kProgramDir + QStringLiteral("/Opusteca")));
        m_display = std::make_unique<VirtualDisplay>();
        const QString why = m_display->start();
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    // The standard buttons of the boxes are in Italian, as the user reads them,
    // and only "No" declines a confirmation.
    void standardButtonsAreItalian()
    {
        Program program(*m_display);
        QVERIFY(program.start());
        QVERIFY(!program.signIn().isEmpty());
        QJsonObject menu = program.waitShown(QStringLiteral("TfrmAvvio"));
        QVERIFY(program.clickControl(menu, QStringLiteral("imgLibri")));
        const QJsonObject books = program.waitShown(QStringLiteral("TfrmLibri"));
        QVERIFY(!books.isEmpty());

        // Duplica on a card never saved: a warning, OK and Cancel.
        QVERIFY(program.clickControl(books, QStringLiteral("cmdDuplica")));
        answerBox(program, QStringLiteral("Attenzione: la duplicazione"),
                  {QStringLiteral("OK"), QStringLiteral("Annulla")}, QStringLiteral("OK"), QStringLiteral("Annulla"));
        if (QTest::currentTestFailed()) return;

        // Esporta archivio, then its export: a confirmation, Yes and No; No writes nothing.
        QVERIFY(program.clickControl(books, QStringLiteral("cmdEsporta")));
        const QJsonObject exportScreen = program.waitShown(QStringLiteral("TfrmExpLibri"));
        QVERIFY(!exportScreen.isEmpty());
        QVERIFY(program.clickControl(exportScreen, QStringLiteral("cmdEsporta")));
        answerBox(program, QStringLiteral("L'esportazione dei dati in Excel"),
                  {QStringLiteral("Sì"), QStringLiteral("No")}, QStringLiteral("Sì"), QStringLiteral("No"));
        if (QTest::currentTestFailed()) return;
        QVERIFY(program.running());
        const QStringList written =
            QDir(program.folder()).entryList({QStringLiteral("*.xls"), QStringLiteral("*.xml")}, QDir::Files);
        QVERIFY2(written.isEmpty(), qPrintable(written.join(QLatin1Char(' '))));

        // Out through the screens' own exits, back to the start menu and its exit.
        QVERIFY(program.clickControl(exportScreen, QStringLiteral("cmdEsci")));
        QVERIFY(program.waitHidden(QStringLiteral("TfrmExpLibri")));
        QVERIFY(program.clickControl(books, QStringLiteral("cmdEsci")));
        menu = program.waitShown(QStringLiteral("TfrmAvvio"));
        QVERIFY(program.clickControl(menu, QStringLiteral("imgEsci")));
        QVERIFY(program.endsWithin(15000));
    }

    // The process ends by each way the program is left, and only by those: the
    // login screen hidden behind the start menu keeps it running.
    void processEnds_data()
    {
        QTest::addColumn<bool>("signIn");
        QTest::addColumn<QString>("how"); // a control to click, or "close" for the window's own close
        QTest::newRow("login screen, Esci") << false << QStringLiteral("cmdEsci");
        QTest::newRow("login screen closed") << false << QStringLiteral("close");
        QTest::newRow("start menu, exit picture") << true << QStringLiteral("imgEsci");
        QTest::newRow("start menu closed") << true << QStringLiteral("close");
    }
    void processEnds()
    {
        QFETCH(bool, signIn);
        QFETCH(QString, how);
        Program program(*m_display);
        QVERIFY(program.start());
        QJsonObject window = signIn ? program.signIn() : program.waitShown(QStringLiteral("TfrmPassword"));
        QVERIFY(!window.isEmpty());
        if (signIn) {
            QVERIFY(program.waitHidden(QStringLiteral("TfrmPassword")));
            QVERIFY(program.running());
        }
        if (how == QLatin1String("close")) {
            QVERIFY(program.closeWindowOnShow());
        } else {
            QVERIFY(program.clickControl(window, how));
        }
        QVERIFY(program.endsWithin(15000));
    }
};

QTEST_GUILESS_MAIN(TestProgramProcess)
#include "tst_program_process.moc"
