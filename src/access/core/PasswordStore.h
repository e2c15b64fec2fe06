#pragma once
#include <QString>
#include <optional>

namespace opusteca {

// The stored password in the password file of the program folder.
class PasswordStore {
public:
    static constexpr const char *kFileName = "unins000.dll";
    explicit PasswordStore(const QString &programFolder);

    // The unscrambled stored password; empty when the file or key is missing;
    // nothing when the file cannot be read or holds a value that is not hexadecimal.
    std::optional<QString> read() const;
    bool write(const QString &password) const;

    // What the change-password screen may store: at most 255 characters, none above U+00FF.
    static bool isStorable(const QString &password);
    // Typed text as it is compared and stored: letters a-z upper-cased, then trimmed.
    static QString normalise(const QString &typed);

private:
    QString m_path;
};

} // namespace opusteca
