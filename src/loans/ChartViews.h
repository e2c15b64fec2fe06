#pragma once
#include "loans/core/ArchiveFigures.h"

#include <QString>

class QChartView;
class QWidget;

namespace opusteca::loanui {

// The three charts of the statistics screen, drawn in the program's colours,
// without animation so that what is on show is final at once.
enum class ChartKind { Genre, Language, Decade };

// A chart view named `objectName`, empty until setChart gives it its chart.
QChartView *chartView(const QString &objectName, QWidget *parent);
// Replaces the chart on show in a view made by chartView.
void setChart(QChartView *view, ChartKind kind, const QList<loans::ChartEntry> &entries);

} // namespace opusteca::loanui
