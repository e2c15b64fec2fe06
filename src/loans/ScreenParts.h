#pragma once
#include <QString>

class QBoxLayout;
class QWidget;

namespace opusteca {

class CommandPicture;

// The pieces the loans and statistics screens share.
namespace loanui {

// The band at the top: the screen's picture, its title and a line under it,
// and the help picture cmdGuida on the right, which opens the screen's topic.
// Returns the help picture, for the status line.
CommandPicture *addHeader(QBoxLayout *layout, QWidget *screen, const QString &art, const QString &title,
                          const QString &subtitle);

} // namespace loanui
} // namespace opusteca
