#pragma once
#include "search/SearchScreen.h"

namespace opusteca {

class TfrmTrovaAutori : public SearchScreen {
    Q_OBJECT
public:
    TfrmTrovaAutori(Program &app, QWidget *opener) : SearchScreen(app, opener, SearchKind::Authors) {}
};

} // namespace opusteca
