#pragma once
#include <QString>
#include <optional>

namespace opusteca {

// Reads and writes one value of an INI text file while keeping every other line,
// comment and the order of the file as they are. Section and key names match
// without regard to case; blanks around "=" are allowed.
class IniFile {
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}

    enum class Status { Ok, Missing, Unreadable };
    struct ReadResult {
        Status status;
        QString value; // the default when the file, section or key is missing
    };
    ReadResult read(const QString &section, const QString &key, const QString &defaultValue) const;

    // Replaces the value, or adds the key (and its section) where missing, or creates
    // the file. A file marked read-only is left untouched and the write fails.
    bool write(const QString &section, const QString &key, const QString &value) const;

    // The same two steps on the file's text, without the file.
    static QString valueIn(const QString &text, const QString &section, const QString &key,
                           const QString &defaultValue);
    static QString withValue(const QString &text, const QString &section, const QString &key, const QString &value);

private:
    QString m_path;
};

} // namespace opusteca
