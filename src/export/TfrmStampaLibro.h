#pragma once
#include "kit/DialogScreen.h"
#include "report/Report.h"

#include <memory>

namespace opusteca {

// Confirms the wish to print the book card on show and prints it: the card's
// texts as they stand, saved or not, on the one-page layout repDocumento.
class TfrmStampaLibro : public DialogScreen {
    Q_OBJECT
public:
    TfrmStampaLibro(Program &app, QWidget *opener);
    ~TfrmStampaLibro() override;

    // The printed card; it lives as long as the screen.
    report::Report &repDocumento() { return *m_repDocumento; }

public slots:
    void btnAnnullaClick();
    void btnStampaClick();

private:
    std::unique_ptr<report::Report> m_repDocumento;
};

} // namespace opusteca
