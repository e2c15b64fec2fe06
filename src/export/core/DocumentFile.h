#pragma once
#include <QString>

#include <functional>

class QIODevice;

namespace opusteca {

// Writes a document of the program folder in full or not at all: the text goes
// to a temporary file beside it, which replaces the document only once every
// byte is written, so a failed export never leaves half a document where the
// previous one was. Fails, like the archives do, when the folder or the
// document carries the read-only mark (whoever runs the program), when the
// name is taken by a folder, or when write() returns false.
bool saveDocument(const QString &path, const std::function<bool(QIODevice &)> &write);

} // namespace opusteca
