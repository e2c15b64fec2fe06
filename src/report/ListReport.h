#pragma once
#include "report/Report.h"

#include <memory>

namespace opusteca::report {

// The layout "Riepilogo dati" that prints a list of lines: on landscape A4, a
// title bar (txtTitolo, laid out as "Riepilogo"), the lines in Courier New 8 pt
// in the memo txtRiepilogo of the splitting band MasterData, and a date bar
// (txtPagina, "Stampa eseguita in data [DATE]") in the band Footer.
enum class ListFooter {
    AfterList, // a master-data footer: once, after the last line (search lists)
    EveryPage  // a page footer: at the foot of every page (the Dewey table)
};

class ListReport : public Report {
public:
    using Report::Report;
    Memo *title = nullptr; // txtTitolo
    Band *data = nullptr;  // MasterData
    Memo *lines = nullptr; // txtRiepilogo
    Memo *date = nullptr;  // txtPagina
};
std::unique_ptr<ListReport> buildListReport(ListFooter footer);

// Fills the layout for one print, from scratch: the title, the lines in order
// (lineAt(i) for i in 0..count-1, read as the pages are drawn, so what they
// come from must stay unchanged until printed), the memo's height to one line
// pitch a line and the band's to that + 10 units.
void fillListReport(ListReport &report, const QString &title, qsizetype count, Memo::LineSource lineAt);

// The height rule on its own, for a memo already filled.
void fitListHeights(ListReport &report);

} // namespace opusteca::report
