#include "attach/core/AttachmentFolder.h"

#include "store/Cp1252.h"
#include "store/FileAccess.h"
#include "store/Text.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace opusteca {
namespace {

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// Characters that some system the program runs on refuses in a file name.
bool refusedInFileName(QChar c) { return c.unicode() < 32 || QStringView(u"<>:\"/\\|?*").contains(c); }

} // namespace

AttachmentFolder::AttachmentFolder(const QString &programFolder)
    : m_path(programFolder + QLatin1Char('/') + folderName())
{
}

bool AttachmentFolder::ensureExists() const { return QDir().mkpath(m_path); }

QString AttachmentFolder::destination(const QString &name) const
{
    return m_path + QLatin1Char('/') + text::trimmed(name);
}

bool AttachmentFolder::contains(const QString &name) const
{
    // A link that leads nowhere still takes the name.
    const QFileInfo info(destination(name));
    return info.exists() || info.isSymbolicLink();
}

bool AttachmentFolder::isBareName(const QString &name)
{
    const QString t = text::trimmed(name);
    if (t.isEmpty()) return false;
    if (t.contains(QLatin1Char('/')) || t.contains(QLatin1Char('\\'))) return false;
    if (t.size() >= 2 && t.at(1) == QLatin1Char(':') && isAsciiLetter(t.at(0))) return false;
#ifdef Q_OS_WIN
    // Elsewhere in a name a colon names a drive or a file's hidden stream.
    if (t.contains(QLatin1Char(':'))) return false;
#endif
    // Without a separator only a leading ".." can name the parent; dots inside a
    // name, as in "Inferno...pdf", are part of an ordinary file name.
    if (t.startsWith(QLatin1String(".."))) return false;
    if (t.startsWith(QLatin1Char('~'))) return false;
    for (QChar c : t) {
        // A NUL would cut the path short where the system reads it.
        if (c.unicode() < 32) return false;
    }
    // "." names the folder itself, not a file in it.
    if (t == QLatin1String(".")) return false;
    return true;
}

QString AttachmentFolder::storableName(const QString &fileName, int capacity)
{
    QString name = cp1252::fit(text::trimmed(fileName));
    for (QChar &c : name)
        if (refusedInFileName(c)) c = QLatin1Char('_');
    if (name.startsWith(QLatin1Char('~'))) name[0] = QLatin1Char('_');
    if (name.startsWith(QLatin1String(".."))) name[0] = QLatin1Char('_');
    if (name.size() > capacity) {
        // The extension tells the shell what opens the file: keep it whole.
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const qsizetype extension = dot > 0 && name.size() - dot < capacity / 2 ? name.size() - dot : 0;
        name = text::trimmed(name.left(capacity - extension)) + name.right(extension);
    }
    return name;
}

bool AttachmentFolder::resolvesInside(const QString &path) const
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymbolicLink()) return true; // nothing there to lead elsewhere
    const QString target = info.canonicalFilePath();
    const QString folder = QFileInfo(m_path).canonicalFilePath();
    if (target.isEmpty() || folder.isEmpty()) return false; // a dangling link
    return target.startsWith(folder + QLatin1Char('/'));
}

std::optional<QString> AttachmentFolder::openablePath(const QString &name) const
{
    if (!isBareName(name)) return std::nullopt;
    const QString path = destination(name);
    if (!resolvesInside(path)) return std::nullopt;
    return path;
}

AttachmentFolder::CopyResult AttachmentFolder::copyIn(const QString &source, const QString &name) const
{
    if (!ensureExists()) return CopyResult::Failed;
    const QString dest = destination(name);
    const QFileInfo sourceInfo(source);
    const QFileInfo destInfo(dest);

    // Known by where it really lies, not by its name: the same file reached
    // through another spelling or a link is still the same file.
    const QString sourceCanonical = sourceInfo.canonicalFilePath();
    if (!sourceCanonical.isEmpty() && sourceCanonical == destInfo.canonicalFilePath()) return CopyResult::SameFile;
    // Never write through a link in the folder to a file elsewhere.
    if (!resolvesInside(dest)) return CopyResult::Failed;

    QFile in(source);
    if (!sourceInfo.isFile() || !in.open(QIODevice::ReadOnly)) return CopyResult::Failed;
    QSaveFile out(dest);
    if (!out.open(QIODevice::WriteOnly)) return CopyResult::Failed;
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(block.data(), block.size());
        if (n < 0) {
            out.cancelWriting();
            break;
        }
        if (n == 0) break;
        if (out.write(block.constData(), n) != n) {
            out.cancelWriting();
            break;
        }
    }
    // On the device before the copy takes its name: a card saved after a pick
    // must not name a copy that a pulled stick or a power cut left empty.
    if (!fileaccess::commit(out)) return CopyResult::Failed;

    // The copy carries the original's date, as a copy made by the file manager does.
    const QDateTime modified = sourceInfo.lastModified();
    QFile copy(dest);
    if (modified.isValid() && copy.open(QIODevice::Append))
        copy.setFileTime(modified, QFileDevice::FileModificationTime);
    return CopyResult::Copied;
}

} // namespace opusteca
