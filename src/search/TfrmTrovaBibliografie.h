#pragma once
#include "search/SearchScreen.h"

namespace opusteca {

class TfrmTrovaBibliografie : public SearchScreen {
    Q_OBJECT
public:
    TfrmTrovaBibliografie(Program &app, QWidget *opener) : SearchScreen(app, opener, SearchKind::Bibliographies) {}
};

} // namespace opusteca
