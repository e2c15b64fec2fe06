#include "support/PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace opusteca::test {
namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

QByteArray run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) return {};
    return p.readAllStandardOutput();
}

} // namespace

QList<PdfWord> pdfWords(const QString &pdf)
{
    QList<PdfWord> words;
    QXmlStreamReader xml(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            PdfWord w;
            w.page = page;
            w.xMin = a.value(QLatin1String("xMin")).toDouble() * kMmPerPoint;
            w.yMin = a.value(QLatin1String("yMin")).toDouble() * kMmPerPoint;
            w.xMax = a.value(QLatin1String("xMax")).toDouble() * kMmPerPoint;
            w.yMax = a.value(QLatin1String("yMax")).toDouble() * kMmPerPoint;
            w.text = xml.readElementText();
            words << w;
        }
    }
    return words;
}

QString pdfPageText(const QString &pdf, int page)
{
    const QString n = QString::number(page);
    QString text =
        QString::fromUtf8(run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), n,
                                                            QStringLiteral("-l"), n, pdf, QStringLiteral("-")}));
    text.remove(QLatin1Char('\f'));
    QStringList lines;
    for (const QString &l : text.split(QLatin1Char('\n'))) {
        const QString s = l.simplified();
        if (!s.isEmpty()) lines << s;
    }
    return lines.join(QLatin1Char('\n'));
}

int pdfPageCount(const QString &pdf)
{
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
    const auto m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QSizeF pdfPageSizeMm(const QString &pdf)
{
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
    const auto m = QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                      QRegularExpression::MultilineOption)
                       .match(info);
    if (!m.hasMatch()) return {};
    return {m.captured(1).toDouble() * kMmPerPoint, m.captured(2).toDouble() * kMmPerPoint};
}

QList<PdfWord> findWords(const QList<PdfWord> &words, const QString &text, int page)
{
    QList<PdfWord> out;
    for (const PdfWord &w : words)
        if (w.text == text && (page == 0 || w.page == page)) out << w;
    return out;
}

} // namespace opusteca::test
