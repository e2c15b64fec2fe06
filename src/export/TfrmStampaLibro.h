#pragma once
#include "export/BookCardReport.h"
#include "kit/DialogScreen.h"

#include <QStringList>

#include <memory>

namespace opusteca {

// Confirms the wish to print the book card and prints it on the one-page
// layout repDocumento: the texts the opener hands, the card's as they stand,
// saved or not.
class TfrmStampaLibro : public DialogScreen {
    Q_OBJECT
public:
    TfrmStampaLibro(Program &app, QWidget *opener);
    ~TfrmStampaLibro() override;

    // The book's texts, one per field in field-table order.
    void setBook(const QStringList &texts) { m_book = texts; }

    // The printed card; it lives as long as the screen.
    report::Report &repDocumento() { return *m_repDocumento; }

public slots:
    void btnAnnullaClick();
    void btnStampaClick();

private:
    std::unique_ptr<bookcard::BookCardReport> m_repDocumento;
    QStringList m_book;
};

} // namespace opusteca
