#include "report/Report.h"

#include "kit/core/RegionalSettings.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace opusteca::report {
namespace {

// Tolerance for comparing positions built from millimetres.
constexpr double kEps = 1e-6;

template <class Fn>
void forEachObject(const Report &report, Fn &&fn)
{
    for (const auto &page : report.pages()) {
        if (fn(page.get())) return;
        for (const auto &o : page->objects())
            if (fn(o.get())) return;
        for (const auto &band : page->bands()) {
            if (fn(band.get())) return;
            for (const auto &o : band->objects())
                if (fn(o.get())) return;
        }
    }
}

// The lowest cut at or above `limit` (band coordinates) that passes between two
// lines of every memo it would cross.
double splitPoint(const Band &band, double limit)
{
    double cut = limit;
    for (bool moved = true; moved;) {
        moved = false;
        for (const auto &o : band.objects()) {
            if (!o->isMemo()) continue;
            const auto &m = static_cast<const Memo &>(*o);
            if (m.top() >= cut - kEps || m.bottom() <= cut + kEps) continue;
            const double pitch = m.linePitch();
            if (pitch <= 0) continue;
            const double k = std::floor((cut - m.top()) / pitch + kEps);
            const double line = m.top() + k * pitch;
            if (line < cut - kEps) {
                cut = line;
                moved = true;
            }
        }
    }
    return cut;
}

// The font to draw with on a painter scaled to units: the point size is
// adjusted so that the device's own point-to-pixel conversion, followed by the
// scaling, gives the size asked for.
QFont deviceFont(const QFont &font, const QPaintDevice *device)
{
    QFont f = font;
    const int dpi = device ? device->logicalDpiY() : 96;
    f.setPointSizeF(font.pointSizeF() * kUnitsPerInch / (dpi > 0 ? dpi : 96));
    return f;
}

// The longest start of text that fits in width (units): a cut, not an ellipsis.
QString fitted(const QFontMetricsF &fm, const QString &text, double width)
{
    if (fm.horizontalAdvance(text) <= width + kEps) return text;
    qsizetype lo = 0, hi = text.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (fm.horizontalAdvance(text.left(mid)) <= width + kEps)
            lo = mid;
        else
            hi = mid - 1;
    }
    return text.left(lo);
}

} // namespace

Report::Report(const QString &name) : m_name(name) {}
Report::~Report() = default;

Page *Report::addPage(const QString &name, QPageSize::PageSizeId paper, QPageLayout::Orientation orientation,
                      const QMarginsF &marginsMm)
{
    m_pages.push_back(std::make_unique<Page>(name, paper, orientation, marginsMm));
    return m_pages.back().get();
}

ReportObject *Report::findObject(const QString &name) const
{
    ReportObject *found = nullptr;
    forEachObject(*this, [&](ReportObject *o) {
        if (o->name() != name) return false;
        found = o;
        return true;
    });
    return found;
}

Memo *Report::findMemo(const QString &name) const
{
    ReportObject *o = findObject(name);
    return o && o->isMemo() ? static_cast<Memo *>(o) : nullptr;
}

Band *Report::findBand(const QString &name) const
{
    ReportObject *o = findObject(name);
    return o && o->isBand() ? static_cast<Band *>(o) : nullptr;
}

Page *Report::findPage(const QString &name) const
{
    ReportObject *o = findObject(name);
    return o && o->kind() == ObjectKind::Page ? static_cast<Page *>(o) : nullptr;
}

void Report::prepare()
{
    m_prepared.clear();
    m_date = RegionalSettings::instance().formatDate(RegionalSettings::today());
    for (const auto &page : m_pages) preparePage(*page);
}

void Report::preparePage(const Page &page)
{
    const double height = page.printableRect().height();
    std::vector<const Band *> footers, flow;
    for (const auto &b : page.bands()) {
        switch (b->bandKind()) {
        case BandKind::PageFooter:
            footers.push_back(b.get());
            break;
        case BandKind::ReportTitle:
            break;
        case BandKind::MasterData:
        case BandKind::Footer:
            flow.push_back(b.get());
            break;
        }
    }
    // The report title comes first, wherever it was added.
    std::vector<const Band *> ordered;
    for (const auto &b : page.bands())
        if (b->bandKind() == BandKind::ReportTitle) ordered.push_back(b.get());
    ordered.insert(ordered.end(), flow.begin(), flow.end());

    double footerHeight = 0;
    for (const Band *b : footers) footerHeight += b->height();
    const double bottom = height - footerHeight;

    double y = 0;
    const auto startPage = [&] {
        PreparedPage p;
        p.page = &page;
        y = 0;
        m_prepared.push_back(std::move(p));
    };
    const auto finishPage = [&] {
        double fy = bottom;
        for (const Band *b : footers) {
            m_prepared.back().bands.push_back({b, fy, 0, b->height()});
            fy += b->height();
        }
    };

    startPage();
    for (const Band *band : ordered) {
        const double h = band->height();
        double from = 0;
        for (;;) {
            const double space = bottom - y;
            if (h - from <= space + kEps) {
                m_prepared.back().bands.push_back({band, y, from, h});
                y += h - from;
                break;
            }
            const bool pageHasContent = y > kEps;
            double cut = band->allowSplit() ? splitPoint(*band, from + space) : from;
            if (cut <= from + kEps) {
                if (pageHasContent) {
                    // Nothing of it fits here: carry on at the top of a new page.
                    finishPage();
                    startPage();
                    continue;
                }
                // Not even one line fits on an empty page: place what the page
                // holds (cut through) rather than loop for ever.
                cut = std::min(h, from + std::max(space, 1.0));
            }
            m_prepared.back().bands.push_back({band, y, from, cut});
            from = cut;
            finishPage();
            startPage();
            if (from >= h - kEps) break;
        }
    }
    finishPage();
}

QString Report::expand(const Memo &memo, QStringView line) const
{
    QString s = line.toString();
    if (!memo.expressions() || !s.contains(QLatin1Char('['))) return s;
    s.replace(QLatin1String("[DATE]"), m_date);
    return s;
}

void Report::renderPage(QPainter &painter, int index) const
{
    if (index < 0 || index >= preparedPageCount()) return;
    const PreparedPage &prepared = m_prepared[size_t(index)];
    const Page &page = *prepared.page;
    const QRectF area = page.printableRect();

    painter.save();
    const QPaintDevice *device = painter.device();
    const double sx = (device ? device->logicalDpiX() : 96) / kUnitsPerInch;
    const double sy = (device ? device->logicalDpiY() : 96) / kUnitsPerInch;
    painter.scale(sx, sy);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    painter.save();
    painter.translate(area.topLeft());
    for (const auto &o : page.objects()) drawObject(painter, *o, -1e12, 1e12);
    painter.restore();

    for (const PlacedBand &pb : prepared.bands) {
        painter.save();
        painter.translate(area.left(), area.top() + pb.y - pb.from);
        for (const auto &o : pb.band->objects()) drawObject(painter, *o, pb.from, pb.to);
        painter.restore();
    }
    painter.restore();
}

void Report::drawObject(QPainter &painter, const ReportObject &object, double from, double to) const
{
    // Only the part between from and to belongs to this page.
    const QRectF r = object.rect();
    if (r.bottom() < from - kEps || r.top() > to + kEps) return;
    const double top = std::max(r.top(), from);
    const double bottom = std::min(r.bottom(), to);
    switch (object.kind()) {
    case ObjectKind::Memo:
        drawMemo(painter, static_cast<const Memo &>(object), from, to);
        break;
    case ObjectKind::Shape: {
        const auto &s = static_cast<const Shape &>(object);
        const QRectF part(r.left(), top, r.width(), bottom - top);
        if (s.fillColor().isValid()) painter.fillRect(part, s.fillColor());
        if (s.outlineColor().isValid()) {
            painter.setPen(QPen(s.outlineColor(), s.penWidth()));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(part);
        }
        break;
    }
    case ObjectKind::Line: {
        const auto &l = static_cast<const Line &>(object);
        painter.setPen(QPen(l.color(), l.penWidth(), Qt::SolidLine, Qt::FlatCap));
        QPointF a = r.topLeft(), b = r.bottomRight();
        if (r.width() == 0) { // vertical: only this page's part
            a.setY(top);
            b.setY(bottom);
        }
        painter.drawLine(a, b);
        break;
    }
    case ObjectKind::Page:
    case ObjectKind::Band:
        break;
    }
}

void Report::drawMemo(QPainter &painter, const Memo &memo, double from, double to) const
{
    const QRectF r = memo.rect();
    const double top = std::max(r.top(), from);
    const double bottom = std::min(r.bottom(), to);
    const QRectF part(r.left(), top, r.width(), std::max(0.0, bottom - top));
    if (memo.fillColor().isValid()) painter.fillRect(part, memo.fillColor());
    const qsizetype n = memo.lineCount();
    if (n == 0) return;

    const QFont font = deviceFont(memo.font(), painter.device());
    painter.setFont(font);
    painter.setPen(memo.textColor());
    const QFontMetricsF fm(font, painter.device());

    const double pitch = memo.linePitch();
    const double block = pitch * double(n);
    double first = r.top();
    // Text taller than its memo starts at the top, so its beginning shows.
    if (block <= r.height() + kEps) {
        if (memo.alignment() & Qt::AlignVCenter)
            first += (r.height() - block) / 2;
        else if (memo.alignment() & Qt::AlignBottom)
            first += r.height() - block;
    }
    // The lines wholly inside [from, to): a band split between pages shows each
    // line once. And only the lines the memo's own height holds (its first line
    // at least): the rest would be drawn over what lies below it and be found in
    // the document's text though the layout has no room for it.
    const qsizetype held = std::max<qsizetype>(1, qsizetype(std::floor((r.bottom() - first) / pitch + kEps)));
    const qsizetype begin = std::max<qsizetype>(0, qsizetype(std::ceil((from - first) / pitch - kEps)));
    const qsizetype end = std::min({n, held, qsizetype(std::floor((to - first) / pitch + kEps))});
    // The glyphs sit centred in the line's pitch; one baseline for every memo
    // with the same font, top and pitch.
    const double baseline = (pitch - (fm.ascent() + fm.descent())) / 2 + fm.ascent();
    for (qsizetype i = begin; i < end; ++i) {
        const QString text = fitted(fm, expand(memo, memo.line(i)), r.width());
        if (text.isEmpty()) continue;
        double x = r.left();
        if (memo.alignment() & (Qt::AlignHCenter | Qt::AlignRight)) {
            const double w = fm.horizontalAdvance(text);
            x += (memo.alignment() & Qt::AlignRight) ? r.width() - w : (r.width() - w) / 2;
        }
        painter.drawText(QPointF(x, first + double(i) * pitch + baseline), text);
    }
}

} // namespace opusteca::report
