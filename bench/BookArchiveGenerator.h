#pragma once
#include <QString>

namespace opusteca::bench {

// Writes a book archive of `count` records with varied Italian text, the same
// for the same count and seed. Shares the generator figures in the README:
//  - about 0.1% of titles hold the word "Gattopardo";
//  - Lingua is "Italiano" for about 60% of the books;
//  - about 3% are cancelled, about 8% lent.
bool writeBookArchive(const QString &path, int count, unsigned seed = 20240305);

// The archive of `count` books with the default seed, generated once into a
// folder that outlives the run and reused by every later run and program (a
// million books take 3.2 GB and most of a minute to write). The folder is
// OPUSTECA_BENCH_ARCHIVES when set, else opusteca-bench-archives in the
// system's temporary folder. Says on stderr what it wrote and how long it took,
// or that it failed; an empty path on failure.
QString cachedBookArchive(int count);
// Puts that archive at `path` (a program folder's archive file): a symbolic
// link to the cached file, or a copy where links cannot be made. Benchmarks
// that change records must not use it.
bool generateBookArchive(const QString &path, int count);

// How many books a benchmark's archive holds: OPUSTECA_BENCH_BOOKS when set
// (for instance 1000000), else `usual`.
int benchBooks(int usual);

} // namespace opusteca::bench
