#include "access/core/PasswordStore.h"

#include "access/core/Scrambler.h"
#include "store/IniFile.h"
#include "store/Text.h"

#include <QDir>

namespace opusteca {
namespace {
const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");
} // namespace

PasswordStore::PasswordStore(const QString &programFolder)
    : m_path(QDir(programFolder).filePath(QString::fromLatin1(kFileName)))
{
}

std::optional<QString> PasswordStore::read() const
{
    const IniFile::ReadResult r = IniFile(m_path).read(kSection, kKey, QString());
    if (r.status == IniFile::Status::Unreadable) return std::nullopt;
    return scrambler::unscramble(r.value);
}

bool PasswordStore::write(const QString &password) const
{
    if (!isStorable(password)) return false;
    return IniFile(m_path).write(kSection, kKey, scrambler::scramble(password));
}

bool PasswordStore::isStorable(const QString &password)
{
    if (password.size() > 255) return false;
    for (QChar c : password)
        if (c.unicode() > 0xFF) return false;
    return true;
}

QString PasswordStore::normalise(const QString &typed) { return text::trimmed(text::upperAZ(typed)); }

} // namespace opusteca
