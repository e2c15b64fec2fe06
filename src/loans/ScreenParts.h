#pragma once
#include <QString>

class QBoxLayout;
class QLabel;
class QWidget;

namespace opusteca {

class CommandPicture;
class StatusLine;

// The pieces the loans and statistics screens share.
namespace loanui {

// The band at the top: the screen's picture, its title and a line under it,
// and the help picture cmdGuida on the right, which opens the screen's topic.
// Returns the help picture, for the status line.
CommandPicture *addHeader(QBoxLayout *layout, QWidget *screen, const QString &art, const QString &title,
                          const QString &subtitle);

// The status line at the bottom: panInfo on a navy bar, showing `idle` until a
// hover text replaces it. Hovering the screen itself empties it.
StatusLine *addStatusLine(QBoxLayout *layout, QWidget *screen, const QString &idle);

// A bold navy caption.
QLabel *caption(const QString &text, QWidget *parent);

} // namespace loanui
} // namespace opusteca
