#pragma once
// The report engine: what a screen that prints needs.
//
// 1. Build the layout once, in code, from named objects (ReportLayout.h). A
//    layout's builder returns a Report of its own kind that holds pointers to
//    the objects its filling needs (ListReport.h), so a misspelt object is a
//    compile error:
//    a Report holds Pages (paper, orientation, margins in mm); a Page holds
//    Bands (report title, master data, footer, page footer) and
//    objects lying directly on it; bands and pages hold Memos (text boxes),
//    Shapes (filled / outlined rectangles) and Lines. Geometry is in units of
//    1/96 inch: write mm(…) for millimetres.
// 2. Before printing, fill it through those pointers: Memo::setText, clear,
//    appendLine, ReportObject::setHeight. Texts print literally; only a memo
//    with setExpressions(true) has [DATE] (today, regional short date)
//    replaced. (findMemo(name) / findBand(name) look objects up by name.)
// 3. Report::prepare() lays out the pages afresh (a master data band that may
//    split continues over as many pages as it needs, cut between memo lines).
// 4. print(report, parent) (ReportPrinter.h) prints the prepared pages through
//    the print dialog, or to the PDF named by OPUSTECA_PRINT_TO_PDF. A
//    cancelled dialog prints nothing and is not an error. Long prints show an
//    Italian progress window with "Annulla".
//    Report::renderPage() draws one prepared page on any QPainter.
#include "report/Report.h"
#include "report/ReportLayout.h"
#include "report/ReportPrinter.h"
