#pragma once
#include <QString>
#include <optional>

namespace opusteca::recordfolder {

// The folder kept for a stored author card: "Autore_" and the card's record number,
// in the program folder. Nothing but the number enters the name, so the folder stays
// bound to its record for ever.
QString path(const QString &programFolder, const QString &recordNumber);

// Creates the folder and any missing parent; an existing folder is left as it is.
// Returns the failure, in Italian, when the path cannot name a folder at all (too
// long, characters the system refuses, a drive that is not there).
// A folder that merely cannot be made, in a read-only program folder, is no error
// here: the caller goes on as if it were there.
std::optional<QString> create(const QString &folderPath);

} // namespace opusteca::recordfolder
