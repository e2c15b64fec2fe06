#include "loans/ChartViews.h"

#include "app/Style.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>

#include <algorithm>

namespace opusteca::loanui {
namespace {

// The slices of a pie, in turn.
const QColor kSliceColours[] = {style::colour::steel,       style::colour::gold,      style::colour::working,
                                style::colour::alert,       style::colour::count,     style::colour::navy,
                                QColor(0x9b, 0x7b, 0xc4),   QColor(0xe0, 0x80, 0x40), QColor(0x6f, 0xa8, 0xdc),
                                QColor(0xa0, 0xa0, 0x40),   QColor(0xc0, 0x60, 0x90), QColor(0x50, 0x90, 0x90),
                                style::colour::readOnlyText};

QString titleOf(ChartKind kind)
{
    switch (kind) {
    case ChartKind::Genre:
        return QStringLiteral("Libri correnti per genere");
    case ChartKind::Language:
        return QStringLiteral("Libri correnti per lingua");
    case ChartKind::Decade:
        break;
    }
    return QStringLiteral("Libri correnti per decennio di pubblicazione");
}

QChart *newChart(ChartKind kind, bool empty)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(empty ? titleOf(kind) + QStringLiteral(": nessun libro in archivio") : titleOf(kind));
    chart->setTitleFont(style::font(11, true));
    chart->setTitleBrush(style::colour::title);
    chart->setBackgroundBrush(style::colour::white);
    chart->setMargins(QMargins(8, 8, 8, 8));
    return chart;
}

// A value axis counting whole books, with round ticks.
QValueAxis *countAxis(qint64 largest)
{
    auto *axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setLabelsFont(style::font(8));
    axis->setRange(0, double(std::max<qint64>(1, largest)));
    axis->applyNiceNumbers();
    if (largest < 5) axis->setTickCount(int(std::max<qint64>(1, largest)) + 1);
    return axis;
}

QChart *barChart(ChartKind kind, const QList<loans::ChartEntry> &entries)
{
    QChart *chart = newChart(kind, entries.isEmpty());
    chart->legend()->hide();
    auto *set = new QBarSet(QStringLiteral("Libri"));
    set->setColor(kind == ChartKind::Genre ? style::colour::steel : style::colour::gold);
    set->setBorderColor(style::colour::navy);
    set->setLabelColor(style::colour::navy);
    QStringList categories;
    qint64 largest = 0;
    // Horizontal bars read from the top: the largest group goes last, at the top.
    const bool horizontal = kind == ChartKind::Genre;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const loans::ChartEntry &e = entries[horizontal ? entries.size() - 1 - i : i];
        *set << double(e.count);
        categories << e.label;
        largest = std::max(largest, e.count);
    }
    QAbstractBarSeries *series = horizontal ? static_cast<QAbstractBarSeries *>(new QHorizontalBarSeries)
                                            : static_cast<QAbstractBarSeries *>(new QBarSeries);
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->addSeries(series);

    auto *categoryAxis = new QBarCategoryAxis;
    categoryAxis->append(categories);
    categoryAxis->setLabelsFont(style::font(8));
    QValueAxis *values = countAxis(largest);
    chart->addAxis(categoryAxis, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
    chart->addAxis(values, horizontal ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(categoryAxis);
    series->attachAxis(values);
    return chart;
}

QChart *pieChart(const QList<loans::ChartEntry> &entries)
{
    QChart *chart = newChart(ChartKind::Language, entries.isEmpty());
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setFont(style::font(9));
    auto *series = new QPieSeries;
    qint64 total = 0;
    for (const loans::ChartEntry &e : entries) total += e.count;
    int colour = 0;
    for (const loans::ChartEntry &e : entries) {
        QPieSlice *slice = series->append(QStringLiteral("%1 (%2)").arg(e.label).arg(e.count), double(e.count));
        slice->setColor(kSliceColours[colour++ % std::size(kSliceColours)]);
        slice->setBorderColor(style::colour::white);
        slice->setLabelFont(style::font(8));
        // Labels beside the slices that are large enough to point at.
        slice->setLabelVisible(total > 0 && e.count * 40 >= total);
    }
    series->setPieSize(0.7);
    chart->addSeries(series);
    return chart;
}

QChart *chartOf(ChartKind kind, const QList<loans::ChartEntry> &entries)
{
    return kind == ChartKind::Language ? pieChart(entries) : barChart(kind, entries);
}

} // namespace

QChartView *chartView(ChartKind kind, const QList<loans::ChartEntry> &entries, const QString &objectName,
                      QWidget *parent)
{
    auto *view = new QChartView(chartOf(kind, entries), parent);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    return view;
}

void setChart(QChartView *view, ChartKind kind, const QList<loans::ChartEntry> &entries)
{
    QChart *old = view->chart();
    view->setChart(chartOf(kind, entries));
    delete old;
}

} // namespace opusteca::loanui
