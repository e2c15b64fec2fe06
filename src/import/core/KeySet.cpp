#include "import/core/KeySet.h"

#include <QHashFunctions>

#include <algorithm>

namespace opusteca {

QByteArrayView KeySet::keyAt(quint32 offset) const
{
    const auto len = static_cast<unsigned char>(m_keys[qsizetype(offset)]);
    return QByteArrayView(m_keys.constData() + offset + 1, len);
}

qsizetype KeySet::find(QByteArrayView key, size_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const quint32 s = m_slots[i];
        if (s == 0 || keyAt(s - 1) == key) return qsizetype(i);
    }
}

void KeySet::grow()
{
    std::vector<quint32> old;
    old.swap(m_slots);
    m_slots.assign(old.empty() ? 1024 : old.size() * 2, 0);
    for (const quint32 s : old)
        if (s != 0) m_slots[size_t(find(keyAt(s - 1), qHash(keyAt(s - 1))))] = s;
}

bool KeySet::insert(QByteArrayView key)
{
    // Keys are record fields: none is longer than a length byte can say.
    key = key.first(std::min<qsizetype>(key.size(), 255));
    if ((m_count + 1) * 2 > qsizetype(m_slots.size())) grow();
    const qsizetype at = find(key, qHash(key));
    if (m_slots[size_t(at)] != 0) return false;
    m_slots[size_t(at)] = quint32(m_keys.size()) + 1;
    m_keys.append(char(key.size()));
    m_keys.append(key.data(), key.size());
    ++m_count;
    return true;
}

bool KeySet::contains(QByteArrayView key) const
{
    if (m_slots.empty()) return false;
    key = key.first(std::min<qsizetype>(key.size(), 255));
    return m_slots[size_t(find(key, qHash(key)))] != 0;
}

} // namespace opusteca
