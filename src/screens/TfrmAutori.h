#pragma once
#include "screens/SideCardScreen.h"

namespace opusteca {

// The author archive: a card of ten text fields, three of them multi-line.
class TfrmAutori : public SideCardScreen {
    Q_OBJECT
public:
    explicit TfrmAutori(Program &app);
    void cmdCartellaClick() override;

protected:
    void buildScreen() override;
    QString tag() const override { return QStringLiteral("autori"); }
    void openSearch() override;
    void openExport() override;
    void openImport() override;
};

} // namespace opusteca
