#include "export/BookCardReport.h"

#include "kit/Style.h"
#include "kit/core/RegionalSettings.h"
#include "store/BookRecord.h"
#include "store/Text.h"

namespace opusteca::bookcard {
namespace {
using report::mm;

// The rows, in millimetres.
constexpr double kFirstRowTop = 7;
constexpr double kRowPitch = 5;
constexpr double kRowHeight = 4.6;

report::Memo *text(report::Page *page, const QString &name, double x, double y, double w, double h, double points,
                   Qt::Alignment horizontal)
{
    report::Memo *m = page->addMemo(name, QRectF(mm(x), mm(y), mm(w), mm(h)));
    m->setFont(style::faceName(style::Face::Arial), points);
    m->setAlignment(horizontal | Qt::AlignVCenter);
    return m;
}

report::Shape *frame(report::Page *page, const QString &name, double x, double y, double w, double h)
{
    report::Shape *s = page->addShape(name, QRectF(mm(x), mm(y), mm(w), mm(h)));
    s->setOutlineColor(Qt::black);
    return s;
}

} // namespace

const QList<Row> &rows()
{
    // The frame and caption objects of each row, in print order; the caption is
    // the field's long caption.
    struct Place {
        const char *frame;
        const char *caption;
        int field;
    };
    static const Place kPlaces[] = {
        {"Shape2", "Memo1", libro::Titolo},      {"Shape3", "Memo2", libro::Codice},
        {"Shape4", "Memo3", libro::Scaffale},    {"Shape6", "Memo4", libro::Autore},
        {"Shape7", "Memo5", libro::Nazione},     {"Shape8", "Memo6", libro::Curatore},
        {"Shape9", "Memo7", libro::Dewey},       {"Shape10", "Memo8", libro::Pagine},
        {"Shape11", "Memo9", libro::Genere},     {"Shape12", "Memo10", libro::Giudizio},
        {"Shape13", "Memo11", libro::Editore},   {"Shape14", "Memo12", libro::Isbn},
        {"Shape15", "Memo13", libro::Citta},     {"Shape16", "Memo14", libro::Anno},
        {"Shape17", "Memo15", libro::Volumi},    {"Shape18", "Memo16", libro::Prezzo},
        {"Shape20", "Memo35", libro::Collana},   {"Shape21", "Memo36", libro::Formato},
        {"Shape22", "Memo37", libro::Originale}, {"Shape24", "Memo38", libro::Lingua},
        {"Shape25", "Memo39", libro::Prima},     {"Shape5", "Memo21", libro::Traduttore},
        {"Shape19", "Memo22", libro::Versione},  {"Shape26", "Memo23", libro::Note},
        {"Shape27", "Memo24", libro::Prestato},  {"Shape28", "Memo30", libro::Scadenza},
    };
    static const QList<Row> r = [] {
        QList<Row> out;
        for (const Place &p : kPlaces)
            out.append({p.frame, p.caption, bookLayout().fields[size_t(p.field)].documentLabel(), p.field});
        return out;
    }();
    return r;
}

QString valueName(const Row &row) { return QString::fromLatin1(bookLayout().fields[size_t(row.field)].control); }

std::unique_ptr<BookCardReport> build()
{
    auto r = std::make_unique<BookCardReport>(QStringLiteral("Scheda Libro"));
    // One page: nothing to follow in a progress window.
    r->setShowProgress(false);
    report::Page *page = r->page =
        r->addPage(QStringLiteral("Page1"), QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});

    frame(page, QStringLiteral("Shape1"), 1, 1, 188, 5.8)->setFillColor(style::colour::printHeading);
    text(page, QStringLiteral("titArcataSup"), 2, 2, 185.8, 4.2, 9, Qt::AlignHCenter)
        ->setText(QStringLiteral("SCHEDA INFORMATIVA LIBRO"));

    // The rows follow the heading at a fixed pitch; the line between captions and
    // values runs down the rows, and the footer closes them.
    const qsizetype count = rows().size();
    const auto rowTop = [](qsizetype i) { return kFirstRowTop + kRowPitch * double(i); };
    for (qsizetype i = 0; i < count; ++i) {
        const Row &row = rows()[i];
        const double y = rowTop(i);
        frame(page, QString::fromLatin1(row.frame), 1, y, 188, kRowHeight);
        text(page, QString::fromLatin1(row.caption), 2, y + 0.5, 37.8, 3.5, 7, Qt::AlignLeft)
            ->setText(QString::fromUtf8(row.text));
        r->values.append(text(page, valueName(row), 44, y + 0.5, 144, 3.5, 7, Qt::AlignLeft));
    }
    const double rowsBottom = rowTop(count - 1) + kRowHeight;
    page->addLine(QStringLiteral("Line2"), QRectF(mm(42), mm(kFirstRowTop), 0, mm(rowsBottom - kFirstRowTop)));

    const double footerTop = rowTop(count) + 2;
    frame(page, QStringLiteral("Shape23"), 1, footerTop, 188, 5.8)->setFillColor(style::colour::printFooter);
    r->footnote = text(page, QStringLiteral("txtCalce"), 2, footerTop + 1, 185.8, 4.2, 8, Qt::AlignHCenter);
    r->footnote->setText(QStringLiteral("Data e ora stampa"));
    return r;
}

void fill(BookCardReport &layout, const QStringList &book, const QDateTime &now)
{
    layout.page->setOrientation(QPageLayout::Portrait);
    for (qsizetype i = 0; i < rows().size(); ++i) {
        // A row holds one line: the lines of a multi-line note follow one another.
        QString t = text::trimmed(book.value(rows()[i].field));
        t.replace(QLatin1String("\r\n"), QLatin1String(" "));
        t.replace(QLatin1Char('\n'), QLatin1Char(' '));
        t.replace(QLatin1Char('\r'), QLatin1Char(' '));
        layout.values[i]->setText(t);
    }
    const RegionalSettings &rs = RegionalSettings::instance();
    layout.footnote->setText(QStringLiteral("Stampa eseguita in data ") + rs.formatDate(now.date()) +
                             QStringLiteral(" alle ore ") + rs.formatTime(now.time()));
}

} // namespace opusteca::bookcard
