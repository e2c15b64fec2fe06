#include "store/RecordFile.h"

#include "store/FileAccess.h"
#include "store/Platform.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace opusteca {

RecordFile::RecordFile(int recordSize) : m_recordSize(recordSize) {}

RecordFile::~RecordFile() { close(); }

QString RecordFile::pathIn(const QString &programFolder, const char *fileName)
{
    return QDir(programFolder).filePath(QString::fromLatin1(fileName));
}

bool RecordFile::openIn(const QString &programFolder, const char *fileName)
{
    return open(pathIn(programFolder, fileName));
}

bool RecordFile::open(const QString &path)
{
    close();
    m_position = 0;
    if (path.isEmpty() || QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).size() > kMaxPath) return false;
    m_file.setFileName(path);
    // Qt opens files with read and write sharing on every platform, so two copies
    // of the program can work on one archive.
    constexpr auto mode = QIODevice::ReadWrite | QIODevice::Unbuffered;
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        if (!info.isFile() || fileaccess::isMarkedReadOnly(path)) return false;
        return m_file.open(mode | QIODevice::ExistingOnly);
    }
    // A folder marked read-only gets no new archive, whoever runs the program
    // (where the mark means that: elsewhere the open below says what fails).
    if (fileaccess::folderRefusesNewFiles(info.absolutePath())) return false;
    if (m_file.open(mode | QIODevice::NewOnly)) return true;
    // Someone else created it in the meantime: use theirs, never truncate it.
    return QFileInfo(path).isFile() && m_file.open(mode | QIODevice::ExistingOnly);
}

qint64 RecordFile::count() const
{
    if (!m_file.isOpen()) return -1;
    return m_file.size() / m_recordSize;
}

bool RecordFile::seek(qint64 p)
{
    const qint64 c = count();
    if (c < 0 || p < 0 || p > c) return false;
    if (!m_file.seek(p * m_recordSize)) return false;
    m_position = p;
    return true;
}

bool RecordFile::read(QByteArray &record)
{
    record.resize(m_recordSize);
    qint64 got = 0;
    return readBlock(record.data(), 1, got) && got == 1;
}

bool RecordFile::readBlock(char *buffer, qint64 maxRecords, qint64 &got)
{
    got = 0;
    const qint64 c = count();
    if (c < 0 || m_position >= c) return false;
    const qint64 n = std::min(maxRecords, c - m_position);
    const qint64 want = n * m_recordSize;
    if (!m_file.seek(m_position * m_recordSize)) return false;
    qint64 done = 0;
    while (done < want) {
        const qint64 r = m_file.read(buffer + done, want - done);
        if (r <= 0) break;
        done += r;
    }
    got = done / m_recordSize;
    m_position += got;
    return got == n;
}

bool RecordFile::write(const QByteArray &record)
{
    if (!m_file.isOpen() || record.size() != m_recordSize) return false;
    if (!m_file.seek(m_position * m_recordSize)) return false;
    m_written = true;
    if (fileaccess::write(m_file, record) != m_recordSize) return false;
    ++m_position;
    return true;
}

bool RecordFile::append(const QByteArray &record, qint64 &number)
{
    if (!m_file.isOpen()) return false;
    // Held from the count to the end of the write only: that is where two copies
    // could otherwise both take the same end of the file.
    const platform::AppendLock lock(m_file.handle());
    const qint64 c = count();
    if (c < 0 || !seek(c) || !write(record)) return false;
    number = m_position;
    return true;
}

bool RecordFile::close() { return fileaccess::close(m_file, std::exchange(m_written, false)); }

} // namespace opusteca
