#pragma once
#include <QString>

namespace opusteca::bench {

// Writes a book archive of `count` records with varied Italian text, the same
// for the same count and seed. Shares the generator figures in the README:
//  - about 0.1% of titles hold the word "Gattopardo";
//  - Lingua is "Italiano" for about 60% of the books;
//  - about 3% are cancelled, about 8% lent.
bool writeBookArchive(const QString &path, int count, unsigned seed = 20240305);
// The same with the default seed, saying on stderr what it wrote and how long it
// took, or that it failed.
bool generateBookArchive(const QString &path, int count);

} // namespace opusteca::bench
