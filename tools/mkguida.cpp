// Typesets the user guide Guida.pdf at build time from the help topics the
// program shows: a title page with the contents, then one chapter per topic.
#include "kit/core/HelpTopics.h"
#include "kit/core/Maker.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>
#include <cstdio>

using namespace opusteca;

namespace {

const QColor kNavy(0x23, 0x46, 0x6e);
const QColor kCrimson(0xdc, 0x14, 0x3c);
const QColor kGrey(0x55, 0x62, 0x70);
const QString kGuideTitle = QStringLiteral("Guida all'utilizzo del software");

// Artwork of each chapter, the picture the screen itself is known by.
QString chapterArt(const QString &screen)
{
    if (screen == QLatin1String("TfrmLibri")) return QStringLiteral("avvio_libri");
    if (screen == QLatin1String("TfrmAutori")) return QStringLiteral("avvio_autori");
    if (screen == QLatin1String("TfrmBibliografie")) return QStringLiteral("avvio_bibliografie");
    if (screen.startsWith(QLatin1String("TfrmExp"))) return QStringLiteral("excel");
    return QStringLiteral("prodotto");
}

// The artwork at the given width, keeping its proportions.
QImage renderArt(const QString &name, int width)
{
    QSvgRenderer svg(QStringLiteral(":/icons/%1.svg").arg(name));
    const QSizeF natural = svg.defaultSize().isEmpty() ? QSizeF(1, 1) : QSizeF(svg.defaultSize());
    const QSize size(width, qRound(width * natural.height() / natural.width()));
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    return img;
}

struct Page {
    QPdfWriter &pdf;
    QPainter &p;
    QRectF paper;   // the whole page, in device units
    QRectF content; // the text area
    double mm(double v) const { return v * pdf.resolution() / 25.4; }
    QFont font(const QString &family, double pt, bool bold = false) const
    {
        QFont f(family);
        f.setPointSizeF(pt);
        f.setBold(bold);
        f.setStyleStrategy(QFont::PreferNoShaping);
        return f;
    }
};

// The chapters as one document; each chapter starts on a page of its own.
void buildChapters(QTextDocument &doc, const QStringList &screens, const QList<HelpTopic> &topics)
{
    QString html = QStringLiteral("<html><body style=\"font-family:'Verdana'; font-size:10.5pt;\">");
    for (int i = 0; i < topics.size(); ++i) {
        const QString art = chapterArt(screens[i]);
        const QImage image = renderArt(art, 576);
        doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("art:%1").arg(art)), image);
        const int shownHeight = qRound(144.0 * image.height() / image.width());
        html += QStringLiteral("<p style=\"page-break-before:%1; margin-bottom:0; color:#556270;"
                               " font-size:10pt; font-weight:bold;\">CAPITOLO %2</p>")
                    .arg(i == 0 ? QStringLiteral("auto") : QStringLiteral("always"))
                    .arg(i + 1);
        html += QStringLiteral("<h1 style=\"font-family:'Arial'; font-size:20pt; color:#dc143c;"
                               " margin-top:4px; margin-bottom:14px;\">%1</h1>")
                    .arg(topics[i].title.toHtmlEscaped());
        html += QStringLiteral("<p align=\"center\" style=\"margin-bottom:14px;\">"
                               "<img src=\"art:%1\" width=\"144\" height=\"%2\"></p>")
                    .arg(art)
                    .arg(shownHeight);
        for (const QString &para : topics[i].paragraphs)
            html +=
                QStringLiteral("<p align=\"justify\" style=\"margin-bottom:10px;\">%1</p>").arg(para.toHtmlEscaped());
    }
    html += QStringLiteral("</body></html>");
    doc.setHtml(html);
    // Unshaped, as the reports: no ligatures, so a reader's search for "fine" or
    // "file" finds the words and a copy pastes them as written.
    QTextCursor all(&doc);
    all.select(QTextCursor::Document);
    QTextCharFormat unshaped;
    unshaped.setFontStyleStrategy(QFont::PreferNoShaping);
    all.mergeCharFormat(unshaped);
}

// Page (0-based, in the chapter document) where each chapter's title stands.
QList<int> chapterPages(const QTextDocument &doc, const QList<HelpTopic> &topics, double pageHeight)
{
    QList<int> pages;
    int next = 0;
    for (QTextBlock b = doc.begin(); b.isValid() && next < topics.size(); b = b.next()) {
        if (b.text() != topics[next].title) continue;
        pages << int(doc.documentLayout()->blockBoundingRect(b).top() / pageHeight);
        ++next;
    }
    return pages;
}

void drawTitlePage(Page &pg, const QList<HelpTopic> &topics, const QList<int> &firstPages)
{
    QPainter &p = pg.p;
    const QRectF paper = pg.paper;
    // A navy band across the top with the product artwork, as on the screens.
    const QRectF band(0, 0, paper.width(), pg.mm(95));
    p.fillRect(band, QColor(0xdb, 0xe7, 0xf3));
    p.fillRect(QRectF(0, band.bottom(), paper.width(), pg.mm(2.5)), kNavy);
    const QImage logo = renderArt(QStringLiteral("logo"), 1500);
    const double logoW = pg.mm(130);
    const double logoH = logoW * logo.height() / logo.width();
    p.drawImage(QRectF((paper.width() - logoW) / 2, (band.height() - logoH) / 2, logoW, logoH), logo);

    p.setPen(kNavy);
    p.setFont(pg.font(QStringLiteral("Arial"), 40, true));
    p.drawText(QRectF(0, pg.mm(110), paper.width(), pg.mm(22)), Qt::AlignCenter, QStringLiteral("Opusteca 2.0"));
    p.setPen(kCrimson);
    p.setFont(pg.font(QStringLiteral("Arial"), 22, true));
    p.drawText(QRectF(0, pg.mm(134), paper.width(), pg.mm(14)), Qt::AlignCenter, kGuideTitle);
    p.setPen(kGrey);
    p.setFont(pg.font(QStringLiteral("Verdana"), 11));
    p.drawText(QRectF(0, pg.mm(150), paper.width(), pg.mm(10)), Qt::AlignCenter,
               QStringLiteral(
                   "Catalogo dei libri, archivio biografico degli autori e registro delle ricerche bibliografiche"));

    // Contents.
    const QRectF box(pg.mm(35), pg.mm(172), paper.width() - pg.mm(70), pg.mm(80));
    p.setPen(kNavy);
    p.setFont(pg.font(QStringLiteral("Arial"), 14, true));
    p.drawText(QRectF(box.left(), box.top(), box.width(), pg.mm(9)), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Indice"));
    p.fillRect(QRectF(box.left(), box.top() + pg.mm(10), box.width(), pg.mm(0.4)), kNavy);
    const QFont entry = pg.font(QStringLiteral("Verdana"), 11);
    p.setFont(entry);
    const double lineH = pg.mm(8.5);
    for (int i = 0; i < topics.size(); ++i) {
        const QRectF row(box.left(), box.top() + pg.mm(13) + i * lineH, box.width(), lineH);
        p.setPen(QColor(0x20, 0x20, 0x20));
        p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1.  %2").arg(i + 1).arg(topics[i].title));
        // Pages are counted from the title page, which is page 1.
        p.drawText(row, Qt::AlignRight | Qt::AlignVCenter, QString::number(firstPages.value(i) + 2));
    }

    p.setPen(kGrey);
    p.setFont(pg.font(QStringLiteral("Verdana"), 9));
    p.drawText(QRectF(0, paper.height() - pg.mm(30), paper.width(), pg.mm(6)), Qt::AlignCenter,
               maker::copyright() + QStringLiteral("  \u00B7  ") + maker::site());
    p.drawText(QRectF(0, paper.height() - pg.mm(24), paper.width(), pg.mm(6)), Qt::AlignCenter,
               QStringLiteral("Per informazioni: ") + maker::mail());
}

void drawPageFrame(Page &pg, const QString &chapter, int pageNumber, int pageCount)
{
    QPainter &p = pg.p;
    const QRectF c = pg.content;
    p.setFont(pg.font(QStringLiteral("Verdana"), 8));
    p.setPen(kGrey);
    const QRectF head(c.left(), c.top() - pg.mm(13), c.width(), pg.mm(6));
    p.drawText(head, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Opusteca 2.0 \u2013 ") + kGuideTitle);
    p.drawText(head, Qt::AlignRight | Qt::AlignVCenter, chapter);
    p.fillRect(QRectF(c.left(), c.top() - pg.mm(6.5), c.width(), pg.mm(0.3)), kNavy);
    p.drawText(QRectF(c.left(), c.bottom() + pg.mm(6), c.width(), pg.mm(6)), Qt::AlignCenter,
               QStringLiteral("Pagina %1 di %2").arg(pageNumber).arg(pageCount));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: opusteca_mkguida <path of Guida.pdf>\n");
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);

    const QStringList screens = helpTopicScreens();
    QList<HelpTopic> topics;
    for (const QString &s : screens) {
        topics << helpTopic(s);
        if (topics.last().isEmpty()) {
            std::fprintf(stderr, "opusteca_mkguida: no help topic for %s\n", qPrintable(s));
            return 1;
        }
    }

    QDir().mkpath(QFileInfo(target).absolutePath());
    // Written beside the target and moved over it at the end, so a failed run
    // never leaves half a guide.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "opusteca_mkguida: cannot write %s\n", qPrintable(target));
        return 1;
    }
    QPdfWriter pdf(&out);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(300);
    pdf.setTitle(QStringLiteral("Opusteca 2.0 - ") + kGuideTitle);
    pdf.setCreator(QStringLiteral("Opusteca 2.0"));

    QPainter p(&pdf);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    Page pg{pdf, p, QRectF(0, 0, pdf.width(), pdf.height()), {}};
    pg.content = QRectF(pg.mm(25), pg.mm(28), pdf.width() - pg.mm(50), pdf.height() - pg.mm(52));

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&pdf);
    doc.setDocumentMargin(0);
    doc.setPageSize(pg.content.size());
    buildChapters(doc, screens, topics);
    const double pageH = pg.content.height();
    const QList<int> firstPages = chapterPages(doc, topics, pageH);
    const int chapterPageCount = doc.pageCount();
    const int pageCount = chapterPageCount + 1;

    drawTitlePage(pg, topics, firstPages);
    int chapter = 0;
    for (int i = 0; i < chapterPageCount; ++i) {
        pdf.newPage();
        while (chapter + 1 < firstPages.size() && firstPages[chapter + 1] <= i) ++chapter;
        drawPageFrame(pg, topics[chapter].title, i + 2, pageCount);
        p.save();
        p.translate(pg.content.left(), pg.content.top() - i * pageH);
        const QRectF clip(0, i * pageH, pg.content.width(), pageH);
        p.setClipRect(clip);
        p.setPen(Qt::black);
        // Line by line, and only the lines of this page: the document layout
        // also draws the line before the clip, which the clip hides on paper
        // but leaves in the PDF's text, so a search or a copy would find a
        // page's last line twice.
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            const QRectF box = doc.documentLayout()->blockBoundingRect(b);
            if (box.bottom() < clip.top() || box.top() > clip.bottom()) continue;
            const QTextLayout *layout = b.layout();
            for (int l = 0; l < layout->lineCount(); ++l) {
                const QTextLine line = layout->lineAt(l);
                // A line laid out at the very top of a page may start a hair
                // above it: its middle tells the page it belongs to.
                const double middle = box.top() + line.y() + line.height() / 2;
                if (middle >= clip.top() && middle < clip.bottom()) line.draw(&p, box.topLeft());
            }
        }
        p.restore();
    }
    if (!p.end() || !out.commit()) {
        std::fprintf(stderr, "opusteca_mkguida: cannot write %s\n", qPrintable(target));
        return 1;
    }
    return 0;
}
