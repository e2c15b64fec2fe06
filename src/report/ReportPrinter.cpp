#include "report/ReportPrinter.h"

#include "report/Report.h"

#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace opusteca::report {
namespace {

// A print that runs longer than this shows its progress window.
constexpr int kProgressAfterMs = 500;
int g_progressAfterMs = kProgressAfterMs;

void tellFailure(QWidget *parent)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Stampa"),
                    QStringLiteral("Attenzione: non è stato possibile stampare il documento.\n\n"
                                   "Verificare la stampante o il file scelto e riprovare."),
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.exec();
}

bool sameLayout(const Page *a, const Page *b)
{
    return a && b && a->paper() == b->paper() && a->orientation() == b->orientation();
}

// Draws the listed pages one at a time: nothing of a page is kept once it has
// gone to the device. Returns Cancelled when the user stopped it.
PrintOutcome renderPages(const Report &report, QPagedPaintDevice &device, const std::vector<int> &pages,
                         QWidget *parent, const std::function<void()> &abort)
{
    if (pages.empty()) return PrintOutcome::Printed;
    const Page *current = report.preparedPage(pages.front()).page;
    device.setPageLayout(current->pageLayout());
    QPainter painter;
    if (!painter.begin(&device)) return PrintOutcome::Failed;

    std::unique_ptr<QProgressDialog> progress;
    if (report.showProgress() && pages.size() > 1) {
        progress = std::make_unique<QProgressDialog>(parent);
        progress->setWindowTitle(QStringLiteral("Stampa"));
        progress->setCancelButtonText(QStringLiteral("Annulla"));
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(g_progressAfterMs);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        progress->setRange(0, int(pages.size()));
        progress->setValue(0);
    }

    for (size_t i = 0; i < pages.size(); ++i) {
        const PreparedPage &p = report.preparedPage(pages[i]);
        if (i > 0) {
            if (!sameLayout(current, p.page)) device.setPageLayout(p.page->pageLayout());
            current = p.page;
            if (!device.newPage()) {
                painter.end();
                return PrintOutcome::Failed;
            }
        }
        if (progress) {
            progress->setLabelText(QStringLiteral("Stampa in corso: pagina %1 di %2.").arg(i + 1).arg(pages.size()));
            progress->setValue(int(i));
            if (progress->wasCanceled()) {
                abort();
                painter.end();
                return PrintOutcome::Cancelled;
            }
        }
        report.renderPage(painter, pages[i]);
    }
    if (progress) progress->setValue(int(pages.size()));
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

std::vector<int> allPages(const Report &report)
{
    std::vector<int> pages;
    pages.reserve(size_t(report.preparedPageCount()));
    for (int i = 0; i < report.preparedPageCount(); ++i) pages.push_back(i);
    return pages;
}

} // namespace

QString printToPdfPath() { return qEnvironmentVariable(kPrintToPdfVariable); }

void setProgressDelay(std::optional<int> ms) { g_progressAfterMs = ms.value_or(kProgressAfterMs); }

PrintOutcome printToPdf(const Report &report, const QString &path, QWidget *parent)
{
    PrintOutcome outcome;
    {
        QPdfWriter writer(path);
        writer.setTitle(report.name());
        writer.setCreator(QStringLiteral("Opusteca 2.0"));
        std::vector<int> pages = allPages(report);
        if (pages.empty()) {
            // A report with nothing to print still gives a valid (blank) document.
            QPainter painter;
            outcome = painter.begin(&writer) && painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
        } else {
            outcome = renderPages(report, writer, pages, parent, [] {});
        }
    }
    // A stopped print leaves no half-written document behind.
    if (outcome == PrintOutcome::Cancelled) QFile::remove(path);
    if (outcome == PrintOutcome::Failed) tellFailure(parent);
    return outcome;
}

PrintOutcome printOn(const Report &report, QPrinter &printer, QWidget *parent)
{
    std::vector<int> range;
    const int count = report.preparedPageCount();
    int from = printer.fromPage(), to = printer.toPage();
    if (from <= 0 || printer.printRange() == QPrinter::AllPages) from = 1;
    if (to <= 0 || to > count || printer.printRange() == QPrinter::AllPages) to = count;
    for (int i = from; i <= to; ++i) range.push_back(i - 1);
    // Copies the printer cannot make itself are sent from here: as whole sets in
    // order when collated, else each page as many times as copies were asked.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> pages;
    if (printer.collateCopies()) {
        for (int s = 0; s < copies; ++s) pages.insert(pages.end(), range.begin(), range.end());
    } else {
        for (const int page : range) pages.insert(pages.end(), size_t(copies), page);
    }
    const PrintOutcome outcome = renderPages(report, printer, pages, parent, [&] { printer.abort(); });
    if (outcome == PrintOutcome::Failed) tellFailure(parent);
    return outcome;
}

PrintOutcome print(const Report &report, QWidget *parent)
{
    const QString pdf = printToPdfPath();
    if (!pdf.isEmpty()) return printToPdf(report, pdf, parent);

    QPrinter printer(QPrinter::HighResolution);
    const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
    if (!preferred.isNull()) printer.setPrinterName(preferred.printerName());
    printer.setDocName(report.name());
    // The page is drawn from the paper's corner: millimetres on the layout are
    // millimetres on the sheet.
    printer.setFullPage(true);
    if (report.preparedPageCount() > 0) printer.setPageLayout(report.preparedPage(0).page->pageLayout());

    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, std::max(1, report.preparedPageCount()));
    if (dialog.exec() != QDialog::Accepted) return PrintOutcome::Cancelled;
    return printOn(report, printer, parent);
}

} // namespace opusteca::report
