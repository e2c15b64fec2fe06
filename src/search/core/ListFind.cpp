#include "search/core/ListFind.h"

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

FindOutcome findInList(const QStringList &entries, int selected, const QString &typed,
                       const QString &lastKey)
{
    const int count = int(entries.size());
    if (count == 0) return {FindOutcome::Status::NotApplicable, selected, lastKey};
    if (selected < 0 || selected >= count) selected = 0;

    const QString key = text::lowerAZ(typed);
    const bool repeated = key == lastKey;
    const int start = repeated ? selected : 0;
    int found = -1;
    if (!repeated && entryContains(entries[start], key)) found = start;
    for (int i = start; found < 0;) {
        i = (i + 1) % count;
        if (entryContains(entries[i], key)) found = i;
        if (i == start) break;
    }
    if (found >= 0) return {FindOutcome::Status::Found, found, key};
    return {FindOutcome::Status::NotFound, selected, key};
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

FindOutcome findForScreen(const QString &screenClass, const QStringList &entries, int selected,
                          const QString &typed)
{
    FindOutcome r = findInList(entries, selected, typed, findkeys::last(screenClass));
    if (r.status != FindOutcome::Status::NotApplicable) findkeys::remember(screenClass, r.lastKey);
    return r;
}

} // namespace opusteca
