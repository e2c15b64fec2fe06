#pragma once
#include "search/core/ResultLines.h"

#include <QString>
#include <QStringList>

namespace opusteca {

// Find in the result list: the walk behind the "Trova" button, with no widget.
struct FindOutcome {
    enum class Status {
        NotApplicable, // the list is empty: the screen says so, nothing changes
        Found,         // selected is the entry found
        NotFound,      // selected is what the selection must be now (the first
                       // entry when none was selected), without a message
    };
    Status status;
    int selected = -1;
    // The key to remember as the last find key (unchanged when not applicable).
    QString lastKey;
};

// selected: the selected entry, -1 for none. typed: the find field as typed.
// A key that differs from lastKey starts from the top, testing the first entry
// first; the same key goes on from the entry after the selected one, wrapping,
// and tests the selected entry last. An empty key is found nowhere.
FindOutcome findInList(const QStringList &entries, int selected, const QString &typed, const QString &lastKey);
// The same on a search's result, looked at in its stored bytes.
FindOutcome findInList(const ResultLines &entries, int selected, const QString &typed, const QString &lastKey);

// Whether the entry, lower-cased A-Z, contains the key (already lower-cased).
bool entryContains(QStringView entry, QStringView loweredKey);

// The last find key of each search screen class: it outlives the screens, which
// are created at each opening, and is emptied when a screen of the class is shown.
namespace findkeys {
QString last(const QString &screenClass);
void remember(const QString &screenClass, const QString &key);
void clear(const QString &screenClass);
} // namespace findkeys

// findInList with the last key of the screen class, which it then updates.
FindOutcome findForScreen(const QString &screenClass, const QStringList &entries, int selected, const QString &typed);
FindOutcome findForScreen(const QString &screenClass, const ResultLines &entries, int selected, const QString &typed);

} // namespace opusteca
