#pragma once
#include <QWidget>

namespace opusteca {

// A screen that exists from start-up to the end of the program and is only shown
// and hidden. The window itself is made at start-up, in the screen order; what it
// holds can be made later, so that the login window is on the screen sooner. The
// contents are made, once, by whichever comes first: ensureBuilt() (the
// application calls it for the screens it hands out), showing the screen, or the
// application completing its screens while it waits for the password.
class LongLivedScreen : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    bool isBuilt() const { return m_built; }
    void ensureBuilt();

    // Making the contents before the window is shown lets every control be shown
    // with it and laid out at once.
    void setVisible(bool visible) override;

protected:
    // Makes the controls; runs exactly once.
    virtual void buildContents() = 0;

private:
    bool m_built = false;
};

} // namespace opusteca
