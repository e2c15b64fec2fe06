#include "loans/ChartViews.h"

#include "kit/Style.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>

#include <algorithm>
#include <iterator>

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
    static constexpr const char *kTitles[] = {"Libri correnti per genere", "Libri correnti per lingua",
                                              "Libri correnti per decennio di pubblicazione"}; // in ChartKind's order
    static_assert(std::size(kTitles) == size_t(ChartKind::Decade) + 1);
    return QString::fromLatin1(kTitles[size_t(kind)]);
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
    // Room beyond the longest bar for its count; a tick for every book when
    // there are few.
    const qint64 top = std::max<qint64>(1, largest + std::max<qint64>(1, largest / 8));
    axis->setRange(0, double(top));
    if (top <= 6)
        axis->setTickCount(int(top) + 1);
    else
        axis->applyNiceNumbers();
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
    // Bars lie flat, so that every label has the room it needs beside its bar;
    // they read from the top, so the first entry goes last.
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const loans::ChartEntry &e = entries[entries.size() - 1 - i];
        *set << double(e.count);
        categories << e.label;
        largest = std::max(largest, e.count);
    }
    auto *series = new QHorizontalBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->addSeries(series);

    auto *categoryAxis = new QBarCategoryAxis;
    categoryAxis->append(categories);
    categoryAxis->setLabelsFont(style::font(8));
    QValueAxis *values = countAxis(largest);
    chart->addAxis(categoryAxis, Qt::AlignLeft);
    chart->addAxis(values, Qt::AlignBottom);
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

QChartView *chartView(const QString &objectName, QWidget *parent)
{
    auto *view = new QChartView(parent);
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
