#pragma once
#include "search/SearchScreen.h"

namespace opusteca {

class TfrmTrovaLibri : public SearchScreen {
    Q_OBJECT
public:
    TfrmTrovaLibri(Program &app, QWidget *opener) : SearchScreen(app, opener, SearchKind::Books) {}
};

} // namespace opusteca
