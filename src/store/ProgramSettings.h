#pragma once
#include <QString>

namespace opusteca {

// Settings of the program's own (the loan period, the catalogue sources), kept in
// Opusteca.ini in the program folder; the password file holds the password only.
// A missing or unreadable file gives the defaults. A value that cannot be written
// still holds for the rest of the session, for every screen of this process.
class ProgramSettings {
public:
    explicit ProgramSettings(const QString &programFolder);

    static constexpr const char *kFileName = "Opusteca.ini";

    QString text(const QString &section, const QString &key, const QString &fallback) const;
    // A whole number from min to max; anything else in the file gives the fallback.
    int number(const QString &section, const QString &key, int fallback, int min, int max) const;

    // False when the file could not be written: the value then holds until the
    // program ends, and the caller may tell the user once.
    bool setText(const QString &section, const QString &key, const QString &value);
    bool setNumber(const QString &section, const QString &key, int value);

    QString path() const { return m_path; }

    // Forgets the values held for the session (tests start each case afresh).
    static void forgetSessionValuesForTesting();

private:
    QString m_path;
};

} // namespace opusteca
