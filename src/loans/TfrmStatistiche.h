#pragma once
#include "kit/DialogScreen.h"
#include "loans/core/ArchiveFigures.h"

#include <QMap>

class QChartView;
class QGridLayout;
class QLabel;
class QTabWidget;

namespace opusteca {

// The archives in figures and charts: books stored, current, cancelled, lent,
// overdue and available, authors and research cards, and the current books by
// genre, language and decade, all from one pass over each archive. The chart
// on show can be saved as a PNG picture.
class TfrmStatistiche : public DialogScreen {
    Q_OBJECT
public:
    TfrmStatistiche(Program &app, QWidget *opener);
    ~TfrmStatistiche() override;

    const loans::ArchiveFigures &figures() const { return m_figures; }

public slots:
    void btnSalvaGraficoClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void readArchives();
    QLabel *addFigure(QGridLayout *grid, int row, const QString &caption, const QString &name);

    loans::ArchiveFigures m_figures;
    QMap<QString, QLabel *> m_values;
    QTabWidget *m_panGrafici = nullptr;
    QChartView *m_imgGeneri = nullptr;
    QChartView *m_imgLingue = nullptr;
    QChartView *m_imgDecenni = nullptr;
    QLabel *m_lblScaduti = nullptr;
    bool m_read = false;
};

} // namespace opusteca
