#pragma once
#include "kit/DialogScreen.h"

namespace opusteca {

class ScreenLink;

// Information about the product, with a link that writes to the maker.
class TfrmInfo : public DialogScreen {
    Q_OBJECT
public:
    TfrmInfo(Program &app, QWidget *opener);

private:
    ScreenLink *m_mail;
};

} // namespace opusteca
