#pragma once
#include <QColor>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringView>

#include <functional>
#include <memory>
#include <vector>

namespace opusteca::report {

// Geometry is kept in the engine's unit, 1/96 inch. Layouts are written in
// millimetres and converted with mm().
inline constexpr double kUnitsPerInch = 96.0;
inline constexpr double kUnitsPerMm = kUnitsPerInch / 25.4; // 3.7795...
constexpr double mm(double millimetres) { return millimetres * kUnitsPerMm; }
constexpr double toMm(double units) { return units / kUnitsPerMm; }

// A memo's line pitch is its font size times this factor: 12.822 units
// (3.392 mm) for 8 pt, the figure the list layouts size their memos with.
inline constexpr double kLinePitchPerPoint = 12.822 / 8.0;

enum class ObjectKind { Page, Band, Memo, Shape, Line };

// Anything of a layout that has a name and a place. Positions are relative to
// the parent: a band's top-left corner, or the printable area of the page (the
// paper inside the margins) for objects that lie directly on a page.
class ReportObject {
public:
    virtual ~ReportObject() = default;
    ReportObject(const ReportObject &) = delete;
    ReportObject &operator=(const ReportObject &) = delete;

    const QString &name() const { return m_name; }
    ObjectKind kind() const { return m_kind; }
    bool isMemo() const { return m_kind == ObjectKind::Memo; }
    bool isBand() const { return m_kind == ObjectKind::Band; }

    double left() const { return m_rect.left(); }
    double top() const { return m_rect.top(); }
    double width() const { return m_rect.width(); }
    double height() const { return m_rect.height(); }
    double bottom() const { return m_rect.bottom(); }
    const QRectF &rect() const { return m_rect; }
    void setRect(const QRectF &units) { m_rect = units; }
    void setHeight(double units) { m_rect.setHeight(units < 0 ? 0 : units); }

protected:
    ReportObject(ObjectKind kind, const QString &name, const QRectF &rect) : m_name(name), m_kind(kind), m_rect(rect) {}

private:
    QString m_name;
    ObjectKind m_kind;
    QRectF m_rect;
};

// A text box. Its text is a list of lines kept in one buffer, so a memo of a
// hundred thousand lines costs little more than its characters, or read when
// drawn from where the caller keeps them (setLines), so a list of a million
// lines is neither copied nor held twice. Each text line prints as one line; a
// line wider than the memo is cut at its right edge.
// Values print literally: only a memo with expressions switched on has [DATE]
// replaced when printed, and any other bracketed text stays as typed.
class Memo : public ReportObject {
public:
    Memo(const QString &name, const QRectF &rect) : ReportObject(ObjectKind::Memo, name, rect) {}

    // The whole text; line breaks (CR LF, LF or CR) separate its lines.
    QString text() const;
    void setText(const QString &text);
    void clear();
    // Adds a line to the memo's own lines (those set by setLines are copied
    // in first).
    void appendLine(QStringView line);
    void reserve(qsizetype lines, qsizetype characters);
    // The text becomes `count` lines, line i being lineAt(i), asked for each
    // time the line is read or drawn: what they come from must stay as it is
    // until the memo is cleared or given another text.
    using LineSource = std::function<QString(qsizetype)>;
    void setLines(qsizetype count, LineSource lineAt);
    qsizetype lineCount() const { return m_source ? m_sourceCount : qsizetype(m_ends.size()); }
    QString line(qsizetype i) const;

    const QFont &font() const { return m_font; }
    void setFont(const QString &family, double pointSize, bool bold = false, bool italic = false);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &c) { m_textColor = c; }
    // An invalid colour leaves the memo transparent.
    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor &c) { m_fillColor = c; }
    // Horizontal (left, centre, right) and vertical (top, centre, bottom) placing
    // of the block of lines inside the memo.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment a) { m_alignment = a; }
    bool expressions() const { return m_expressions; }
    void setExpressions(bool on) { m_expressions = on; }
    // Distance between the tops of two lines, in units.
    double linePitch() const { return m_font.pointSizeF() * kLinePitchPerPoint; }

private:
    void takeSourceLines();

    QString m_buffer;
    std::vector<qsizetype> m_ends; // end of each line in m_buffer
    LineSource m_source;           // when set, the lines instead of the buffer
    qsizetype m_sourceCount = 0;
    QFont m_font;
    QColor m_textColor = Qt::black;
    QColor m_fillColor;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignTop;
    bool m_expressions = false;
};

// A rectangle, filled and/or outlined (an invalid colour leaves that part out).
class Shape : public ReportObject {
public:
    Shape(const QString &name, const QRectF &rect) : ReportObject(ObjectKind::Shape, name, rect) {}
    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor &c) { m_fill = c; }
    QColor outlineColor() const { return m_outline; }
    void setOutlineColor(const QColor &c) { m_outline = c; }
    double penWidth() const { return m_penWidth; }
    void setPenWidth(double units) { m_penWidth = units; }

private:
    QColor m_fill;
    QColor m_outline = Qt::black;
    double m_penWidth = 0.5;
};

// A straight line from the rect's top-left to its bottom-right corner: a width
// of 0 makes it vertical, a height of 0 horizontal.
class Line : public ReportObject {
public:
    Line(const QString &name, const QRectF &rect) : ReportObject(ObjectKind::Line, name, rect) {}
    QColor color() const { return m_color; }
    void setColor(const QColor &c) { m_color = c; }
    double penWidth() const { return m_penWidth; }
    void setPenWidth(double units) { m_penWidth = units; }

private:
    QColor m_color = Qt::black;
    double m_penWidth = 0.5;
};

// Holds the objects of a band or of a page, in drawing order.
class ObjectList {
public:
    Memo *addMemo(const QString &name, const QRectF &units);
    Shape *addShape(const QString &name, const QRectF &units);
    Line *addLine(const QString &name, const QRectF &units);
    const std::vector<std::unique_ptr<ReportObject>> &objects() const { return m_objects; }

protected:
    std::vector<std::unique_ptr<ReportObject>> m_objects;
};

// Report title: once, at the top of the first page. Page footer: at the bottom
// of every page. Master data: printed once (one row), may split across pages.
// Footer: the master data's footer, printed after it.
enum class BandKind { ReportTitle, MasterData, Footer, PageFooter };

// A horizontal strip across the printable width; only its height counts, the
// engine places it. A band that may split is cut between two lines of the memos
// it holds, never through a line.
class Band : public ReportObject, public ObjectList {
public:
    Band(const QString &name, BandKind kind, double height, double width)
        : ReportObject(ObjectKind::Band, name, QRectF(0, 0, width, height)), m_bandKind(kind)
    {
    }
    BandKind bandKind() const { return m_bandKind; }
    bool allowSplit() const { return m_allowSplit; }
    void setAllowSplit(bool on) { m_allowSplit = on; }

private:
    BandKind m_bandKind;
    bool m_allowSplit = false;
};

// A page of the layout: paper, orientation, margins in millimetres, its bands
// and the objects that lie directly on it (drawn on every page it prepares).
class Page : public ReportObject, public ObjectList {
public:
    Page(const QString &name, QPageSize::PageSizeId paper, QPageLayout::Orientation orientation,
         const QMarginsF &marginsMm);

    QPageSize::PageSizeId paper() const { return m_paper; }
    QPageLayout::Orientation orientation() const { return m_orientation; }
    void setOrientation(QPageLayout::Orientation o);
    const QMarginsF &marginsMm() const { return m_marginsMm; }
    // The paper as oriented and the printable area, both in units.
    QSizeF paperSize() const;
    QRectF printableRect() const;
    QPageLayout pageLayout() const;

    // Bands are as wide as the printable area.
    Band *addBand(const QString &name, BandKind kind, double heightUnits);
    const std::vector<std::unique_ptr<Band>> &bands() const { return m_bands; }

private:
    void updateRect();
    QPageSize::PageSizeId m_paper;
    QPageLayout::Orientation m_orientation;
    QMarginsF m_marginsMm;
    std::vector<std::unique_ptr<Band>> m_bands;
};

} // namespace opusteca::report
