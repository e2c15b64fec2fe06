#include "report/ListReport.h"

namespace opusteca::report {
namespace {
const QColor kSlateGrey(0x70, 0x80, 0x90);

// Height of one list line and the band's room below the last one, in units.
constexpr double kListLineHeight = 12.822;
constexpr double kListBandPadding = 10.0;

void barLook(Memo *m, double pointSize)
{
    m->setFont(QStringLiteral("Verdana"), pointSize, true);
    m->setTextColor(Qt::white);
    m->setFillColor(kSlateGrey);
    m->setAlignment(Qt::AlignCenter);
}
} // namespace

std::unique_ptr<Report> buildListReport(ListFooter footer)
{
    auto report = std::make_unique<Report>(QStringLiteral("Riepilogo dati"));
    Page *page = report->addPage(QStringLiteral("Page"), QPageSize::A4, QPageLayout::Landscape, {10, 10, 10, 10});

    Band *title = page->addBand(QStringLiteral("ReportTitle"), BandKind::ReportTitle, mm(8));
    Memo *txtTitolo = title->addMemo(QStringLiteral("txtTitolo"), QRectF(mm(2), mm(1), mm(273), mm(5)));
    txtTitolo->setText(QStringLiteral("Riepilogo"));
    barLook(txtTitolo, 9);

    Band *data = page->addBand(QStringLiteral("MasterData"), BandKind::MasterData, mm(28));
    data->setAllowSplit(true);
    Memo *body = data->addMemo(QStringLiteral("txtRiepilogo"), QRectF(mm(3), 0, mm(273), mm(27)));
    body->setFont(QStringLiteral("Courier New"), 8);

    Band *foot = page->addBand(QStringLiteral("Footer"),
                               footer == ListFooter::AfterList ? BandKind::Footer : BandKind::PageFooter, mm(8));
    Memo *txtPagina = foot->addMemo(QStringLiteral("txtPagina"), QRectF(mm(3), mm(2), mm(272), mm(5)));
    txtPagina->setText(QStringLiteral("Stampa eseguita in data [DATE]"));
    txtPagina->setExpressions(true);
    barLook(txtPagina, 8);
    return report;
}

void fitListHeights(Report &report)
{
    Memo *body = report.findMemo(QStringLiteral("txtRiepilogo"));
    Band *band = report.findBand(QStringLiteral("MasterData"));
    if (!body || !band) return;
    body->setHeight(double(body->lineCount()) * kListLineHeight);
    band->setHeight(body->height() + kListBandPadding);
}

} // namespace opusteca::report
