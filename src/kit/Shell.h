#pragma once
#include <QString>

namespace opusteca::shell {

// The one way out to the desktop: documents, folders, web and mail addresses are
// all handed over here. No shell command line is ever built from the text.
//
// Removes one pair of surrounding double quotes; a text with an http, https or
// mailto scheme opens as an address, anything else as a local file or folder.
// Returns whether the text could be handed over at all; what the opened program
// then does is not the program's concern, and most callers ignore it.
bool open(const QString &text);

} // namespace opusteca::shell
