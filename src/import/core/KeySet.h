#pragma once
#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace opusteca {

// A set of short byte strings (codes, ISBNs) kept exactly but compactly: the
// keys end to end in one block and an open-addressing table of their places.
// A 100 000-book archive and a file of as many rows need a few bytes a key,
// where a hash set of strings would cost about a hundred.
class KeySet {
public:
    // True when the key was new.
    bool insert(QByteArrayView key);
    bool contains(QByteArrayView key) const;
    qsizetype size() const { return m_count; }

private:
    qsizetype find(QByteArrayView key, size_t hash) const;
    void grow();
    QByteArrayView keyAt(quint32 offset) const;

    QByteArray m_keys;            // each key: one length byte, then its bytes
    std::vector<quint32> m_slots; // offset + 1 into m_keys; 0 is empty
    qsizetype m_count = 0;
};

} // namespace opusteca
