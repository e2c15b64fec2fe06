#pragma once
#include <QList>
#include <QString>

class QBoxLayout;
class QPushButton;
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

// The foot: a row with Chiudi (btnChiudi, which closes the screen) on the left
// and the screen's `actions` on the right, then the status line showing `idle`,
// with the hover texts of the help picture and Chiudi.
StatusLine *addFoot(QBoxLayout *layout, QWidget *screen, CommandPicture *cmdGuida, const QString &idle,
                    const QList<QPushButton *> &actions);

} // namespace loanui
} // namespace opusteca
