#include "report/ReportLayout.h"

namespace opusteca::report {

QString Memo::text() const
{
    QString out;
    out.reserve(m_buffer.size() + lineCount());
    for (qsizetype i = 0; i < lineCount(); ++i) {
        if (i) out += QLatin1Char('\n');
        out += line(i);
    }
    return out;
}

void Memo::setText(const QString &text)
{
    clear();
    if (text.isEmpty()) return;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        appendLine(QStringView(text).mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    appendLine(QStringView(text).mid(start));
}

void Memo::clear()
{
    m_buffer.clear();
    m_ends.clear();
    m_source = nullptr;
    m_sourceCount = 0;
}

void Memo::appendLine(QStringView line)
{
    takeSourceLines();
    m_buffer.append(line);
    m_ends.push_back(m_buffer.size());
}

void Memo::setLines(qsizetype count, LineSource lineAt)
{
    clear();
    if (!lineAt || count <= 0) return;
    m_source = std::move(lineAt);
    m_sourceCount = count;
}

void Memo::takeSourceLines()
{
    if (!m_source) return;
    const LineSource source = std::move(m_source);
    const qsizetype count = m_sourceCount;
    clear();
    for (qsizetype i = 0; i < count; ++i) appendLine(source(i));
}

void Memo::reserve(qsizetype lines, qsizetype characters)
{
    m_ends.reserve(size_t(lines));
    m_buffer.reserve(characters);
}

QString Memo::line(qsizetype i) const
{
    if (m_source) return m_source(i);
    const qsizetype begin = i == 0 ? 0 : m_ends[size_t(i - 1)];
    return m_buffer.mid(begin, m_ends[size_t(i)] - begin);
}

void Memo::setFont(const QString &family, double pointSize, bool bold, bool italic)
{
    QFont f(family);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setItalic(italic);
    // Metric-compatible substitutes stand in for the named faces on Linux.
    f.setStyleHint(family.contains(QLatin1String("Courier"), Qt::CaseInsensitive) ? QFont::Monospace
                                                                                  : QFont::SansSerif);
    // Unshaped: no ligatures, so "fi" prints (and reads back) as two letters.
    f.setStyleStrategy(QFont::PreferNoShaping);
    m_font = f;
}

Memo *ObjectList::addMemo(const QString &name, const QRectF &units)
{
    m_objects.push_back(std::make_unique<Memo>(name, units));
    return static_cast<Memo *>(m_objects.back().get());
}

Shape *ObjectList::addShape(const QString &name, const QRectF &units)
{
    m_objects.push_back(std::make_unique<Shape>(name, units));
    return static_cast<Shape *>(m_objects.back().get());
}

Line *ObjectList::addLine(const QString &name, const QRectF &units)
{
    m_objects.push_back(std::make_unique<Line>(name, units));
    return static_cast<Line *>(m_objects.back().get());
}

Page::Page(const QString &name, QPageSize::PageSizeId paper, QPageLayout::Orientation orientation,
           const QMarginsF &marginsMm)
    : ReportObject(ObjectKind::Page, name, QRectF()), m_paper(paper), m_orientation(orientation), m_marginsMm(marginsMm)
{
    updateRect();
}

void Page::setOrientation(QPageLayout::Orientation o)
{
    m_orientation = o;
    updateRect();
    for (auto &b : m_bands) b->setRect(QRectF(0, 0, printableRect().width(), b->height()));
}

QSizeF Page::paperSize() const
{
    QSizeF s = QPageSize(m_paper).size(QPageSize::Millimeter);
    if (m_orientation == QPageLayout::Landscape) s.transpose();
    return {mm(s.width()), mm(s.height())};
}

QRectF Page::printableRect() const
{
    const QSizeF paper = paperSize();
    return QRectF(mm(m_marginsMm.left()), mm(m_marginsMm.top()),
                  paper.width() - mm(m_marginsMm.left() + m_marginsMm.right()),
                  paper.height() - mm(m_marginsMm.top() + m_marginsMm.bottom()));
}

QPageLayout Page::pageLayout() const
{
    return QPageLayout(QPageSize(m_paper), m_orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

Band *Page::addBand(const QString &name, BandKind kind, double heightUnits)
{
    m_bands.push_back(std::make_unique<Band>(name, kind, heightUnits, printableRect().width()));
    return m_bands.back().get();
}

void Page::updateRect()
{
    const QSizeF paper = paperSize();
    setRect(QRectF(QPointF(0, 0), paper));
}

} // namespace opusteca::report
