#include "attach/core/RecordFolder.h"

#include "store/Text.h"

#include <filesystem>
#include <system_error>

namespace opusteca::recordfolder {
namespace {

bool namesNoFolder(const std::error_code &ec)
{
    return ec == std::errc::filename_too_long || ec == std::errc::invalid_argument
           || ec == std::errc::illegal_byte_sequence || ec == std::errc::no_such_device
           || ec == std::errc::no_such_file_or_directory;
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
        return QString::fromStdString(std::make_error_code(std::errc::invalid_argument).message());
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(folderPath.toStdU16String()), ec);
    if (ec && namesNoFolder(ec)) return QString::fromLocal8Bit(ec.message());
    return std::nullopt;
}

} // namespace opusteca::recordfolder
