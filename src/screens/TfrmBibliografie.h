#pragma once
#include "screens/SideCardScreen.h"

namespace opusteca {

// The bibliography archive: ten visible fields and six hidden attachment fields.
class TfrmBibliografie : public SideCardScreen {
    Q_OBJECT
public:
    explicit TfrmBibliografie(Program &app);
    void cmdCartellaClick() override;

protected:
    void buildScreen() override;
    QString tag() const override { return QStringLiteral("bibliografie"); }
    void openSearch() override;
    void openExport() override;
    void openImport() override;
};

} // namespace opusteca
