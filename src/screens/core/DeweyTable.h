#pragma once
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The Dewey classification table built into the program: "NNN HEADING" lines in
// the classification's order, kept as data in resources/data/dewey_it.txt.
namespace opusteca::dewey {

// The entries of a table text: one per line, LF or CR LF, in file order; blank
// lines are not entries. Bytes are read as Windows-1252, like every file of ours.
QStringList parse(QByteArrayView text);

// The built-in table, read once from the program's resources. Empty only if the
// resource is missing from the build.
const QStringList &table();

// The class code an entry carries: its first three characters.
QString classCode(const QString &entry);

} // namespace opusteca::dewey
