#pragma once
#include "store/Record.h"

#include <QString>
#include <optional>

namespace opusteca {

// The file side of an archive card: the six card operations on one archive file,
// each opening the file, doing its work and closing it again. The card's position
// label is passed in as text and the new number comes back; nothing is kept here.
class ArchiveNavigator {
public:
    ArchiveNavigator(const RecordLayout &layout, QString programFolder);

    enum class Outcome {
        Loaded,          // record and number hold the record now on show
        Appended,        // number is the new record's number
        Overwritten,     // number is the overwritten record's number
        Unchanged,       // at an end of the archive: nothing to do, nothing to say
        EmptyArchive,    // the archive holds no record
        EmptyArchiveNew, // the same, and the card becomes new (Next)
        AccessFailed,    // a file step failed or the label holds no number
    };
    struct Result {
        Outcome outcome;
        std::optional<Record> record;
        qint64 number = 0;
        // The work was done but closing the file failed. A record read stays good
        // and a record written stays where it was written, so the card follows
        // as usual; the user is told of the failure instead of the success.
        bool closeFailed = false;
    };

    Result first() const;
    Result last() const;
    Result next(const QString &positionLabel) const;
    Result previous(const QString &positionLabel) const;
    Result save(const QString &positionLabel, const Record &record) const;
    // Opens and closes the archive, creating it when missing; false when it cannot be opened.
    bool touch() const;
    // The record with the given 1-based number.
    Result read(qint64 number) const;

    // The number a position label holds: nothing for an empty label, -1 when the
    // text is not a plain decimal number of 1 or more.
    static std::optional<qint64> labelNumber(const QString &positionLabel);

private:
    // Opens the archive, creating it when missing, and runs body on it; every
    // operation starts here, and the file closes on every way out.
    template <class Body>
    Result withArchive(Body &&body) const;
    Result readAt(class RecordFile &file, qint64 position) const;
    const RecordLayout &m_layout;
    QString m_programFolder;
};

} // namespace opusteca
