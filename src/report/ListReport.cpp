#include "report/ListReport.h"

#include "kit/Style.h"

namespace opusteca::report {
namespace {
// The band's room below the last line, in units.
constexpr double kListBandPadding = 10.0;

void barLook(Memo *m, double pointSize)
{
    m->setFont(style::faceName(style::Face::Verdana), pointSize, true);
    m->setTextColor(style::colour::white);
    m->setFillColor(style::colour::printBar);
    m->setAlignment(Qt::AlignCenter);
}
} // namespace

std::unique_ptr<ListReport> buildListReport(ListFooter footer)
{
    auto report = std::make_unique<ListReport>(QStringLiteral("Riepilogo dati"));
    Page *page = report->addPage(QStringLiteral("Page"), QPageSize::A4, QPageLayout::Landscape, {10, 10, 10, 10});

    Band *title = page->addBand(QStringLiteral("ReportTitle"), BandKind::ReportTitle, mm(8));
    Memo *txtTitolo = title->addMemo(QStringLiteral("txtTitolo"), QRectF(mm(2), mm(1), mm(273), mm(5)));
    txtTitolo->setText(QStringLiteral("Riepilogo"));
    barLook(txtTitolo, 9);

    Band *data = page->addBand(QStringLiteral("MasterData"), BandKind::MasterData, mm(28));
    data->setAllowSplit(true);
    Memo *body = data->addMemo(QStringLiteral("txtRiepilogo"), QRectF(mm(3), 0, mm(273), mm(27)));
    body->setFont(style::faceName(style::Face::CourierNew), 8);

    Band *foot = page->addBand(QStringLiteral("Footer"),
                               footer == ListFooter::AfterList ? BandKind::Footer : BandKind::PageFooter, mm(8));
    Memo *txtPagina = foot->addMemo(QStringLiteral("txtPagina"), QRectF(mm(3), mm(2), mm(272), mm(5)));
    txtPagina->setText(QStringLiteral("Stampa eseguita in data [DATE]"));
    txtPagina->setExpressions(true);
    barLook(txtPagina, 8);

    report->title = txtTitolo;
    report->data = data;
    report->lines = body;
    report->date = txtPagina;
    return report;
}

void fillListReport(ListReport &report, const QString &title, qsizetype count, Memo::LineSource lineAt)
{
    report.title->setText(title);
    report.lines->setLines(count, std::move(lineAt));
    fitListHeights(report);
}

void fitListHeights(ListReport &report)
{
    report.lines->setHeight(double(report.lines->lineCount()) * report.lines->linePitch());
    report.data->setHeight(report.lines->height() + kListBandPadding);
}

} // namespace opusteca::report
