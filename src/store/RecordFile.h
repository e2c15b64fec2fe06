#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>

namespace opusteca {

// A headerless file of fixed-size records. Every operation of the program opens
// one, works on it and lets it go out of scope, which closes it on every path.
// A failed step returns false; the caller turns it into its own message.
class RecordFile {
public:
    explicit RecordFile(int recordSize);
    ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    // Opens the file for reading and writing, creating it empty when it does not
    // exist. A file that exists but cannot be opened is never replaced.
    bool open(const QString &path);
    // The archive file of the given name in the program folder.
    bool openIn(const QString &programFolder, const char *fileName);

    bool isOpen() const { return m_file.isOpen(); }
    int recordSize() const { return m_recordSize; }
    // Whole records in the file; a trailing partial record does not count. -1 on failure.
    qint64 count() const;
    // p from 0 to count(); count() is where an append writes.
    bool seek(qint64 position);
    qint64 position() const { return m_position; }
    bool atEnd() const { return m_position >= count(); }
    // Reads the record at the current position, which then advances by one.
    bool read(QByteArray &record);
    // Reads up to maxRecords whole records into buffer; got is how many came.
    bool readBlock(char *buffer, qint64 maxRecords, qint64 &got);
    bool write(const QByteArray &record);
    // Writes the record after the last whole one; number is then its record
    // number. Another copy of the program appending to the same archive at the
    // same moment waits its turn, so neither takes the other's place.
    bool append(const QByteArray &record, qint64 &number);
    // After a write, first hands the records to the device and waits for them.
    // False when that, the close or an earlier step failed: what was written may
    // or may not be in the file.
    bool close();

    // Paths this long cannot be opened on the platforms the archives come from.
    static constexpr int kMaxPath = 259;
    static QString pathIn(const QString &programFolder, const char *fileName);

private:
    friend class BatchAppend;
    QFile m_file;
    int m_recordSize;
    qint64 m_position = 0;
    bool m_written = false;
};

} // namespace opusteca
