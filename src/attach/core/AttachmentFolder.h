#pragma once
#include <QString>
#include <optional>

namespace opusteca {

// The one folder, shared by all books and bibliographies, where attached files are
// kept as copies. A copy is known by its bare name alone; cards store only that name.
class AttachmentFolder {
public:
    explicit AttachmentFolder(const QString &programFolder);

    static QString folderName() { return QStringLiteral("Documenti_Allegati"); }
    QString path() const { return m_path; }

    // Creates the folder and any missing parent; true when it is there afterwards.
    bool ensureExists() const;
    // Where a copy of this name lies (the name trimmed): the folder, a separator, the name.
    QString destination(const QString &name) const;
    bool contains(const QString &name) const;

    // A name another program or another user of a shared folder may have written:
    // only a bare file name is accepted, nothing that could name a place elsewhere.
    static bool isBareName(const QString &name);
    // The name a picked file is copied and stored under, so the copy is found again
    // after the card is saved and reloaded: what the code page cannot hold is
    // replaced as in any stored text (cp1252::fit), then "?" and every other
    // character no file name can hold become "_", as do a leading "~" or ".." the
    // open rule above refuses; a name longer than `capacity` is shortened before
    // its extension. A name that already survives comes back as it is.
    static QString storableName(const QString &fileName, int capacity);
    // The path to hand to the shell for a stored name, or nothing when the name is
    // not a bare name or the file it names resolves outside the folder (a link).
    // A valid name of a missing file still gives its path.
    std::optional<QString> openablePath(const QString &name) const;

    enum class CopyResult {
        Copied,
        SameFile, // the source already is the copy: left untouched
        Failed,   // source unreadable, destination locked, folder missing...
    };
    // Copies source into the folder under `name`, replacing an existing copy. The
    // bytes go to a temporary file in the folder first, which then takes the copy's
    // place: a failure never leaves a half-written copy, and the old one stays whole.
    CopyResult copyIn(const QString &source, const QString &name) const;

private:
    // Whether the file at path resolves to a place inside the folder.
    bool resolvesInside(const QString &path) const;

    QString m_path;
};

} // namespace opusteca
