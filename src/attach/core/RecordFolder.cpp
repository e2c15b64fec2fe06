#include "attach/core/RecordFolder.h"

#include "store/Text.h"

#include <filesystem>
#include <system_error>

namespace opusteca::recordfolder {
namespace {

// What makes a path name no folder, told in the program's language (the
// system's own text follows the system's, often English, messages).
std::optional<QString> whyNoFolder(const std::error_code &ec)
{
    if (ec == std::errc::filename_too_long) return QStringLiteral("il percorso della cartella è troppo lungo.");
    if (ec == std::errc::invalid_argument || ec == std::errc::illegal_byte_sequence)
        return QStringLiteral("il percorso della cartella contiene caratteri non validi.");
    if (ec == std::errc::no_such_device || ec == std::errc::no_such_file_or_directory)
        return QStringLiteral("l'unità o la cartella indicata nel percorso non esiste.");
    return std::nullopt;
}

QString failure(const QString &why, const QString &folderPath)
{
    return QStringLiteral("Impossibile creare la cartella: ") + why + QStringLiteral("\n\n") + folderPath;
}

} // namespace

QString path(const QString &programFolder, const QString &recordNumber)
{
    return programFolder + QLatin1String("/Autore_") + text::trimmed(recordNumber);
}

std::optional<QString> create(const QString &folderPath)
{
    // The system would read the path only up to a NUL and make some other folder.
    if (folderPath.isEmpty() || folderPath.contains(QChar(0)))
        return failure(*whyNoFolder(std::make_error_code(std::errc::invalid_argument)), folderPath);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(folderPath.toStdU16String()), ec);
    if (!ec) return std::nullopt;
    if (const std::optional<QString> why = whyNoFolder(ec)) return failure(*why, folderPath);
    return std::nullopt;
}

} // namespace opusteca::recordfolder
