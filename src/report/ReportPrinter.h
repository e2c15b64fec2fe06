#pragma once
#include <QString>
#include <optional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace opusteca::report {

class Report;

enum class PrintOutcome {
    Printed,   // every asked-for page went to the printer or the file
    Cancelled, // the print dialog or the progress window was cancelled: nothing printed, no error
    Failed     // the printer or the file could not be written; the user has been told
};

// The environment variable of the print seam: when it names a file, every
// print writes its prepared pages to that PDF file (replaced each time) with no
// print dialog. Tests rely on it; a user never sets it.
inline constexpr char kPrintToPdfVariable[] = "OPUSTECA_PRINT_TO_PDF";
QString printToPdfPath();

// How long a print runs before its progress window shows: half a second unless a
// test sets another delay (nullopt restores it), so the window can be tested
// without a print that is merely hoped to be long enough.
void setProgressDelay(std::optional<int> ms);

// Prints the report's prepared pages (call Report::prepare() first): to the
// seam's PDF when it is set, otherwise through a QPrintDialog on a QPrinter with
// the system's default printer chosen, honouring the pages and copies picked.
// A print of many pages shows an Italian progress window whose "Annulla" stops
// it (unless the report turned progress off). Failures are shown to the user
// here; the caller has nothing to report.
PrintOutcome print(const Report &report, QWidget *parent);

// The same pages written to a PDF file with no dialog but the progress window.
PrintOutcome printToPdf(const Report &report, const QString &path, QWidget *parent);

// The prepared pages fromPage..toPage (1-based, 0 for "all"), copies times (as
// whole sets when collated, else page by page), onto a printer already set up.
// Used by print(); open for callers with their own printer.
PrintOutcome printOn(const Report &report, QPrinter &printer, QWidget *parent);

} // namespace opusteca::report
