#include "export/core/DocumentFile.h"

#include "store/FileAccess.h"
#include "store/RecordFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace opusteca {
namespace {

// Hands the writer a device whose every write goes through the file layer, as
// the archives' writes do, so a short write of a full disk fails the document.
class FileLayerDevice final : public QIODevice {
public:
    explicit FileLayerDevice(QFileDevice &file) : m_file(file) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        return fileaccess::write(m_file, data, size) == size ? size : -1;
    }

private:
    QFileDevice &m_file;
};

} // namespace

bool saveDocument(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    const QFileInfo info(path);
    if (path.isEmpty() || QDir::toNativeSeparators(info.absoluteFilePath()).size() > RecordFile::kMaxPath) return false;
    if (fileaccess::folderRefusesNewFiles(info.absolutePath())) return false;
    if (info.exists() && (!info.isFile() || fileaccess::isMarkedReadOnly(path))) return false;

    QSaveFile file(path);
    // Never fall back to writing in place: that is what would leave half a document.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return false;
    FileLayerDevice out(file);
    if (!write(out)) {
        file.cancelWriting();
        return false;
    }
    return fileaccess::commit(file);
}

} // namespace opusteca
