#include "support/UrlCatcher.h"

#include <QDesktopServices>

namespace opusteca::test {

UrlCatcher::UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }

UrlCatcher::~UrlCatcher() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

void UrlCatcher::open(const QUrl &url) { urls << url; }

} // namespace opusteca::test
