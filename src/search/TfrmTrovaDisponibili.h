#pragma once
#include "search/SearchScreen.h"

namespace opusteca {

class TfrmTrovaDisponibili : public SearchScreen {
    Q_OBJECT
public:
    TfrmTrovaDisponibili(Program &app, QWidget *opener) : SearchScreen(app, opener, SearchKind::AvailableBooks) {}
};

} // namespace opusteca
