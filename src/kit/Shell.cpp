#include "kit/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace opusteca {

bool shell::open(const QString &sCommand)
{
    QString target = sCommand;
    if (target.size() >= 2 && target.startsWith(QLatin1Char('"')) && target.endsWith(QLatin1Char('"')))
        target = target.mid(1, target.size() - 2);
    if (target.isEmpty()) return false;

    const QString lower = target.left(8).toLower();
    QUrl url;
    if (lower.startsWith(QLatin1String("http://")) || lower.startsWith(QLatin1String("https://")) ||
        lower.startsWith(QLatin1String("mailto:")))
        url = QUrl(target, QUrl::TolerantMode);
    else
        url = QUrl::fromLocalFile(target);
    return QDesktopServices::openUrl(url);
}

} // namespace opusteca
