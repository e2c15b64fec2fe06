#include "search/core/ListFind.h"

#include "store/Cp1252.h"
#include "store/Text.h"

#include <QHash>

namespace opusteca {

bool entryContains(QStringView entry, QStringView key)
{
    if (key.isEmpty() || key.size() > entry.size()) return false;
    const qsizetype last = entry.size() - key.size();
    for (qsizetype i = 0; i <= last; ++i) {
        qsizetype j = 0;
        while (j < key.size() && text::lowerAZ(entry[i + j].unicode()) == key[j].unicode()) ++j;
        if (j == key.size()) return true;
    }
    return false;
}

namespace {

// The walk of a find over count entries; contains(i, key) says whether entry i
// holds the key (already lower-cased).
template <typename Contains>
FindOutcome walk(int count, int selected, const QString &typed, const QString &lastKey, Contains &&contains)
{
    if (count == 0) return {FindOutcome::Status::NotApplicable, selected, lastKey};
    if (selected < 0 || selected >= count) selected = 0;

    const QString key = text::lowerAZ(typed);
    const bool repeated = key == lastKey;
    const int start = repeated ? selected : 0;
    int found = -1;
    if (!repeated && contains(start, key)) found = start;
    for (int i = start; found < 0;) {
        i = (i + 1) % count;
        if (contains(i, key)) found = i;
        if (i == start) break;
    }
    if (found >= 0) return {FindOutcome::Status::Found, found, key};
    return {FindOutcome::Status::NotFound, selected, key};
}

// entryContains on stored bytes: A-Z are the same bytes in the code page.
bool bytesContain(QByteArrayView entry, QByteArrayView key)
{
    if (key.isEmpty() || key.size() > entry.size()) return false;
    const qsizetype last = entry.size() - key.size();
    for (qsizetype i = 0; i <= last; ++i) {
        qsizetype j = 0;
        while (j < key.size() &&
               text::lowerAZByte(static_cast<unsigned char>(entry[i + j])) == static_cast<unsigned char>(key[j]))
            ++j;
        if (j == key.size()) return true;
    }
    return false;
}

} // namespace

FindOutcome findInList(const QStringList &entries, int selected, const QString &typed, const QString &lastKey)
{
    return walk(int(entries.size()), selected, typed, lastKey,
                [&](int i, const QString &key) { return entryContains(entries[i], key); });
}

FindOutcome findInList(const ResultLines &entries, int selected, const QString &typed, const QString &lastKey)
{
    // A key with a character the code page lacks is in no line.
    QByteArray key;
    const bool encodable = cp1252::encodeExactly(text::lowerAZ(typed), key);
    return walk(int(entries.size()), selected, typed, lastKey,
                [&](int i, const QString &) { return encodable && bytesContain(entries.bytes(i), key); });
}

namespace findkeys {
namespace {
QHash<QString, QString> &keys()
{
    static QHash<QString, QString> k;
    return k;
}
} // namespace

QString last(const QString &screenClass) { return keys().value(screenClass); }
void remember(const QString &screenClass, const QString &key) { keys().insert(screenClass, key); }
void clear(const QString &screenClass) { keys().remove(screenClass); }
} // namespace findkeys

namespace {
template <typename Entries>
FindOutcome findAndRemember(const QString &screenClass, const Entries &entries, int selected, const QString &typed)
{
    FindOutcome r = findInList(entries, selected, typed, findkeys::last(screenClass));
    if (r.status != FindOutcome::Status::NotApplicable) findkeys::remember(screenClass, r.lastKey);
    return r;
}
} // namespace

FindOutcome findForScreen(const QString &screenClass, const QStringList &entries, int selected, const QString &typed)
{
    return findAndRemember(screenClass, entries, selected, typed);
}

FindOutcome findForScreen(const QString &screenClass, const ResultLines &entries, int selected, const QString &typed)
{
    return findAndRemember(screenClass, entries, selected, typed);
}

} // namespace opusteca
