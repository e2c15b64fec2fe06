#include "support/UrlCatcher.h"

#include <QDesktopServices>

namespace opusteca::test {

QStringList UrlCatcher::schemes()
{
    return {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("mailto"), QStringLiteral("file")};
}

UrlCatcher::UrlCatcher()
{
    for (const QString &scheme : schemes()) QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlCatcher::~UrlCatcher()
{
    for (const QString &scheme : schemes()) QDesktopServices::unsetUrlHandler(scheme);
}

void UrlCatcher::open(const QUrl &url) { urls << url; }

} // namespace opusteca::test
