#pragma once
#include "kit/DialogScreen.h"

namespace opusteca {

class ScreenLink;

// The credits: who makes the program, the copyright notice and the web site.
class TfrmSplash : public DialogScreen {
    Q_OBJECT
public:
    TfrmSplash(Program &app, QWidget *opener);

private:
    ScreenLink *m_web;
};

} // namespace opusteca
