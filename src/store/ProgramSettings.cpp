#include "store/ProgramSettings.h"

#include "store/IniFile.h"

#include <QDir>
#include <QHash>
#include <QMutex>

namespace opusteca {
namespace {

// Values the file would not take, per file, section and key (case as the INI reader).
struct SessionValues {
    QMutex mutex;
    QHash<QString, QString> values;
};

SessionValues &session()
{
    static SessionValues s;
    return s;
}

QString sessionKey(const QString &path, const QString &section, const QString &key)
{
    return path + QLatin1Char('\n') + section.toLower() + QLatin1Char('\n') + key.toLower();
}

} // namespace

ProgramSettings::ProgramSettings(const QString &programFolder)
    : m_path(QDir(programFolder).filePath(QString::fromLatin1(kFileName)))
{
}

QString ProgramSettings::text(const QString &section, const QString &key, const QString &fallback) const
{
    {
        SessionValues &s = session();
        const QMutexLocker lock(&s.mutex);
        const auto it = s.values.constFind(sessionKey(m_path, section, key));
        if (it != s.values.cend()) return *it;
    }
    return IniFile(m_path).read(section, key, fallback).value;
}

int ProgramSettings::number(const QString &section, const QString &key, int fallback, int min, int max) const
{
    bool ok = false;
    const int n = text(section, key, QString()).toInt(&ok);
    return ok && n >= min && n <= max ? n : fallback;
}

bool ProgramSettings::setText(const QString &section, const QString &key, const QString &value)
{
    const bool written = IniFile(m_path).write(section, key, value);
    SessionValues &s = session();
    const QMutexLocker lock(&s.mutex);
    if (written)
        s.values.remove(sessionKey(m_path, section, key));
    else
        s.values.insert(sessionKey(m_path, section, key), value);
    return written;
}

bool ProgramSettings::setNumber(const QString &section, const QString &key, int value)
{
    return setText(section, key, QString::number(value));
}

void ProgramSettings::forgetSessionValuesForTesting()
{
    SessionValues &s = session();
    const QMutexLocker lock(&s.mutex);
    s.values.clear();
}

} // namespace opusteca
