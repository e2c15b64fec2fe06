#pragma once
#include <QString>

namespace opusteca {

// The one way out to the desktop: documents, folders, web and mail addresses are
// all handed over here. No shell command line is ever built from the text.
class TMisc {
public:
    TMisc() = delete;
    // Removes one pair of surrounding double quotes; a text with an http, https or
    // mailto scheme opens as an address, anything else as a local file or folder.
    // The outcome is not reported: a target that cannot be opened has no effect.
    static void Open(const QString &sCommand);
};

} // namespace opusteca
