#include "kit/LongLivedScreen.h"

namespace opusteca {

void LongLivedScreen::ensureBuilt()
{
    if (m_built) return;
    // Set first: building reaches the screen's own accessors, which call back here.
    m_built = true;
    buildContents();
}

void LongLivedScreen::setVisible(bool visible)
{
    if (visible) ensureBuilt();
    QWidget::setVisible(visible);
}

} // namespace opusteca
