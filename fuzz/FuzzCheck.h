#pragma once
// What every fuzz target shares: a check that stops the run, so libFuzzer keeps
// the input that broke a property, and a reader of the input's bytes.
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                                               \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);                        \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)

namespace opusteca::fuzz {

// Takes the input apart from the front: a few bytes that choose, then texts.
class Input {
public:
    Input(const uint8_t *data, size_t size) : m_data(reinterpret_cast<const char *>(data)), m_left(size) {}

    size_t left() const { return m_left; }
    unsigned byte()
    {
        if (m_left == 0) return 0;
        --m_left;
        return static_cast<unsigned char>(*m_data++);
    }
    // Bytes up to the next 0xFF (which is dropped), or to the end.
    QByteArray chunk()
    {
        size_t n = 0;
        while (n < m_left && static_cast<unsigned char>(m_data[n]) != 0xFF) ++n;
        QByteArray out(m_data, qsizetype(n));
        const size_t taken = n < m_left ? n + 1 : n;
        m_data += taken;
        m_left -= taken;
        return out;
    }
    QByteArray rest()
    {
        QByteArray out(m_data, qsizetype(m_left));
        m_data += m_left;
        m_left = 0;
        return out;
    }
    // UTF-16 text from pairs of bytes: reaches every character, surrogates included.
    static QString utf16(const QByteArray &bytes)
    {
        QString s;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            s.append(
                QChar(char16_t(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8)));
        return s;
    }

private:
    const char *m_data;
    size_t m_left;
};

} // namespace opusteca::fuzz
