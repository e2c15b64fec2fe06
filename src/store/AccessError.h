#pragma once
#include <QString>

namespace opusteca {

// The one message of every archive file operation that fails: two sentences with
// a blank line between them (LF CR LF CR).
inline QString accessErrorText()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                          "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                          "installazione del programma.");
}

} // namespace opusteca
