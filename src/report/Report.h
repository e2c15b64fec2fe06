#pragma once
#include "report/ReportLayout.h"

#include <QString>

#include <memory>
#include <vector>

class QPainter;

namespace opusteca::report {

class Band;

// One band, or the part of it between from and to (band coordinates, units),
// placed with its `from` edge at y units below the top of the printable area.
struct PlacedBand {
    const Band *band = nullptr;
    double y = 0;
    double from = 0;
    double to = 0;
};

// A prepared page is only where things go: the bands (or parts of bands) it
// shows. Nothing is drawn until the page is rendered, so a report of thousands
// of pages costs a few numbers per page.
struct PreparedPage {
    const Page *page = nullptr;
    std::vector<PlacedBand> bands;
};

// A report layout: named pages, bands and objects, built in code, plus the
// pages last prepared from it.
//
//   Report r(QStringLiteral("Riepilogo dati"));
//   Page *p = r.addPage("Page", QPageSize::A4, QPageLayout::Landscape, {10, 10, 10, 10});
//   Band *b = p->addBand("MasterData", BandKind::MasterData, mm(28));
//   Memo *m = b->addMemo("txtRiepilogo", QRectF(mm(3), 0, mm(273), mm(27)));
//   ...later, to print:
//   r.findMemo("txtRiepilogo")->appendLine(...);
//   r.prepare();
//   print(r, parentWidget);            // see ReportPrinter.h
//
// Names are unique within a report; find*() return nullptr for an unknown name
// or one of another kind (findMemo("MasterData") is null).
class Report {
public:
    explicit Report(const QString &name);
    virtual ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    const QString &name() const { return m_name; }
    Page *addPage(const QString &name, QPageSize::PageSizeId paper, QPageLayout::Orientation orientation,
                  const QMarginsF &marginsMm);
    const std::vector<std::unique_ptr<Page>> &pages() const { return m_pages; }

    ReportObject *findObject(const QString &name) const;
    Memo *findMemo(const QString &name) const;
    Band *findBand(const QString &name) const;
    Page *findPage(const QString &name) const;

    // Whether printing shows the engine's progress window for a long print.
    bool showProgress() const { return m_showProgress; }
    void setShowProgress(bool on) { m_showProgress = on; }

    // Lays the pages out afresh from the layout as it stands, discarding the
    // pages prepared before, and reads today's date for [DATE]. Bands go in this
    // order: report title, then master data and footer bands as added; page
    // footer bands are put at the foot of every page.
    void prepare();
    int preparedPageCount() const { return int(m_prepared.size()); }
    const PreparedPage &preparedPage(int index) const { return m_prepared[size_t(index)]; }
    // The date [DATE] stands for in the pages last prepared.
    const QString &preparedDate() const { return m_date; }

    // Draws prepared page `index` (0-based) on a painter whose device is the
    // sheet of paper: its origin is the paper's top-left corner and its
    // resolution is the device's. The painter's state is left as it was.
    void renderPage(QPainter &painter, int index) const;

private:
    void preparePage(const Page &page);
    QString expand(const Memo &memo, QStringView line) const;
    void drawObject(QPainter &painter, const ReportObject &object, double from, double to) const;
    void drawMemo(QPainter &painter, const Memo &memo, double from, double to) const;

    QString m_name;
    std::vector<std::unique_ptr<Page>> m_pages;
    bool m_showProgress = true;
    std::vector<PreparedPage> m_prepared;
    QString m_date;
};

} // namespace opusteca::report
