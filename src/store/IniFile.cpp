#include "store/IniFile.h"

#include "store/FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace opusteca {
namespace {

// "[name]" with blanks around allowed; empty when the line is no section header.
QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2).trimmed();
    return {};
}

bool isSection(const QString &line) { return !sectionName(line).isEmpty(); }

// Key of a "key=value" line, or empty.
QString keyOf(const QString &line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'))) return {};
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    return eq > 0 ? t.left(eq).trimmed() : QString();
}

QString valueOf(const QString &line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return line.mid(eq + 1).trimmed();
}

} // namespace

IniFile::ReadResult IniFile::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    const QFileInfo info(m_path);
    if (!info.exists()) return {Status::Missing, defaultValue};
    QFile f(m_path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly)) return {Status::Unreadable, defaultValue};
    return {Status::Ok, valueIn(QString::fromLatin1(f.readAll()), section, key, defaultValue)};
}

QString IniFile::valueIn(const QString &text, const QString &section, const QString &key, const QString &defaultValue)
{
    bool inSection = false;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.endsWith(QLatin1Char('\r')) ? raw.chopped(1) : raw;
        if (isSection(line)) {
            inSection = sectionName(line).compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inSection && keyOf(line).compare(key, Qt::CaseInsensitive) == 0) return valueOf(line);
    }
    return defaultValue;
}

QString IniFile::withValue(const QString &text, const QString &section, const QString &key, const QString &value)
{
    const QString eol =
        text.contains(QLatin1String("\r\n")) || text.isEmpty() ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &l : lines)
        if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
    const bool endedWithNewline = text.isEmpty() || text.endsWith(QLatin1Char('\n'));
    if (endedWithNewline && !lines.isEmpty()) lines.removeLast();

    const QString entry = key + QLatin1Char('=') + value;
    qsizetype sectionAt = -1, lastInSection = -1;
    bool done = false;
    for (qsizetype i = 0; i < lines.size() && !done; ++i) {
        if (isSection(lines[i])) {
            if (sectionAt >= 0) break; // past our section
            if (sectionName(lines[i]).compare(section, Qt::CaseInsensitive) == 0) sectionAt = lastInSection = i;
            continue;
        }
        if (sectionAt < 0) continue;
        if (!lines[i].trimmed().isEmpty()) lastInSection = i;
        if (keyOf(lines[i]).compare(key, Qt::CaseInsensitive) == 0) {
            // Keep the key's own spelling and layout, change only the value.
            const qsizetype eq = lines[i].indexOf(QLatin1Char('='));
            lines[i] = lines[i].left(eq + 1) + value;
            done = true;
        }
    }
    if (!done) {
        if (sectionAt >= 0) {
            lines.insert(lastInSection + 1, entry);
        } else {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines.append(QString());
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(entry);
        }
    }
    return lines.join(eol) + eol;
}

bool IniFile::write(const QString &section, const QString &key, const QString &value) const
{
    const QFileInfo info(m_path);
    QString text;
    if (info.exists()) {
        if (!info.isFile() || fileaccess::isMarkedReadOnly(m_path)) return false;
        QFile f(m_path);
        if (!f.open(QIODevice::ReadOnly)) return false;
        text = QString::fromLatin1(f.readAll());
    }
    const QByteArray out = withValue(text, section, key, value).toLatin1();

    // Written to a temporary file and then put in place, so a failed write (a full
    // disk) cannot leave the password file empty. Where no temporary file can be
    // made beside it, the file is written in place.
    QSaveFile f(m_path);
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (fileaccess::write(f, out) != out.size()) {
        f.cancelWriting();
        return false;
    }
    return fileaccess::commit(f);
}

} // namespace opusteca
