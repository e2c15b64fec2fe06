#include "store/BatchAppend.h"

#include "store/FileAccess.h"

namespace opusteca {

BatchAppend::BatchAppend(int recordSize) : m_file(recordSize) {}

BatchAppend::~BatchAppend()
{
    if (m_active) rollback();
}

bool BatchAppend::open(const QString &programFolder, const char *fileName)
{
    if (m_active || !m_file.openIn(programFolder, fileName)) return false;
    m_lock = std::make_unique<platform::AppendLock>(m_file.m_file.handle());
    // Counted under the lock: nobody else can now move the end of the file.
    const qint64 count = m_file.count();
    m_originalSize = m_file.m_file.size();
    m_firstPosition = count;
    if (count < 0 || !m_file.seek(count)) {
        release();
        return false;
    }
    m_partialTail.clear();
    const qint64 tail = m_originalSize - count * m_file.recordSize();
    if (tail > 0) {
        m_partialTail = m_file.m_file.read(tail);
        if (m_partialTail.size() != tail) {
            release();
            return false;
        }
    }
    m_appended = 0;
    m_active = true;
    return true;
}

bool BatchAppend::append(const char *records, qint64 count)
{
    if (!m_active || count < 0) return false;
    const qint64 bytes = count * m_file.recordSize();
    QFile &f = m_file.m_file;
    if (!f.seek((m_firstPosition + m_appended) * m_file.recordSize())) return false;
    if (fileaccess::write(f, records, bytes) != bytes) return false;
    m_appended += count;
    return true;
}

bool BatchAppend::commit()
{
    if (!m_active) return false;
    QFile &f = m_file.m_file;
    // On the device before they count as imported.
    if (!f.flush() || f.error() != QFileDevice::NoError || !platform::flushToDevice(f.handle())) {
        rollback();
        return false;
    }
    m_active = false;
    release();
    return true;
}

bool BatchAppend::rollback()
{
    if (!m_active) return true;
    m_active = false;
    QFile &f = m_file.m_file;
    f.unsetError();
    // Cut to the old size first, so putting the tail back grows nothing.
    bool ok = f.resize(m_originalSize);
    if (ok && !m_partialTail.isEmpty())
        ok = f.seek(m_originalSize - m_partialTail.size()) &&
             fileaccess::write(f, m_partialTail) == m_partialTail.size();
    ok = f.flush() && ok;
    release();
    return ok;
}

void BatchAppend::release()
{
    m_lock.reset();
    m_file.close();
}

} // namespace opusteca
