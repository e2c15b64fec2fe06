// Guida.pdf, built beside the program by the default build: a PDF that opens,
// with a title page and a chapter for each help topic.
#include "kit/core/HelpTopics.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace opusteca;

namespace {

const QString kGuide = QStringLiteral(OPUSTECA_PROGRAM_DIR "/Guida.pdf");

// Line breaks, justified spacing and typographic ligatures (fi, fl) aside, the
// text as written.
QString simplified(const QString &s) { return s.normalized(QString::NormalizationForm_KC).simplified(); }

// The guide's text as pdftotext reads it, simplified; empty if it cannot be read.
QString guideText()
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {kGuide, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
    return simplified(QString::fromUtf8(p.readAllStandardOutput()));
}

} // namespace

class TestUserGuide : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QFileInfo::exists(kGuide), qPrintable(kGuide + QStringLiteral(" was not built"))); }

    void opensAsPdf()
    {
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {kGuide});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QString info = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(info.contains(QStringLiteral("Guida all'utilizzo del software")), qPrintable(info));
        const int pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
        // The title page and at least a page for each chapter.
        QVERIFY2(pages >= 8, qPrintable(info));
    }

    void chaptersHoldTheTopics()
    {
        const QString text = guideText();
        QVERIFY2(!text.isEmpty(), "pdftotext could not read the guide");
        int chapter = 0;
        for (const QString &screen : helpTopicScreens()) {
            const HelpTopic topic = helpTopic(screen);
            ++chapter;
            // In the contents and as a chapter title, with the topic's own paragraphs after it.
            QVERIFY2(text.count(topic.title) >= 2, qPrintable(topic.title));
            const QString heading = QStringLiteral("CAPITOLO %1 %2").arg(chapter).arg(topic.title);
            QVERIFY2(text.contains(heading), qPrintable(heading));
            const QString opening = topic.paragraphs.first().left(60);
            QVERIFY2(text.indexOf(opening) > text.indexOf(heading), qPrintable(opening));
        }
    }

    // The guide is typeset without ligatures: its text reads back letter for
    // letter, so a search for "file" or "fine" in the reader finds the words.
    void wordsReadBackAsWritten()
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {kGuide, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(30000));
        const QString raw = QString::fromUtf8(p.readAllStandardOutput()).simplified();
        QVERIFY2(!raw.isEmpty(), "pdftotext could not read the guide");
        for (QChar c : raw) QVERIFY2(c.unicode() < 0xFB00 || c.unicode() > 0xFB06, "a ligature in the guide's text");
        // Words with the letter pairs fonts join: every one the topics write is found.
        QStringList tried;
        for (const QString &screen : helpTopicScreens())
            for (const QString &word : helpTopic(screen).text().split(QRegularExpression(QStringLiteral("\\W+"))))
                if (word.contains(QRegularExpression(QStringLiteral("f[filt]"))) && !tried.contains(word))
                    tried << word;
        QVERIFY(tried.size() >= 5);
        for (const QString &word : tried) QVERIFY2(raw.contains(word), qPrintable(word));
    }

    // Each run of words of the topics stands in the guide no more often than
    // the topics write it: a line drawn on two pages, even where the page's
    // clip hides it, would be found twice by a search in the reader.
    void noLineTwiceAcrossPageBreaks()
    {
        const QString text = guideText();
        QVERIFY2(!text.isEmpty(), "pdftotext could not read the guide");
        QString written;
        for (const QString &screen : helpTopicScreens())
            written += simplified(helpTopic(screen).paragraphs.join(QLatin1Char(' '))) + QLatin1Char(' ');
        const QStringList words = written.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const int run = 8;
        for (int i = 0; i + run <= words.size(); i += 2) {
            const QString piece = words.mid(i, run).join(QLatin1Char(' '));
            QVERIFY2(text.count(piece) <= written.count(piece), qPrintable(piece));
        }
    }
};

QTEST_GUILESS_MAIN(TestUserGuide)
#include "tst_user_guide.moc"
