#include "kit/core/Maker.h"

#ifndef OPUSTECA_MAKER_SITE
#define OPUSTECA_MAKER_SITE "https://www.opusteca.example"
#endif
#ifndef OPUSTECA_MAKER_MAIL
#define OPUSTECA_MAKER_MAIL "info@opusteca.example"
#endif

namespace opusteca::maker {

QString name() { return QStringLiteral("Opusteca Software"); }
QString copyright() { return QStringLiteral("\u00A9 2026 ") + name(); }
QString site() { return QStringLiteral(OPUSTECA_MAKER_SITE); }
QString mail() { return QStringLiteral(OPUSTECA_MAKER_MAIL); }

} // namespace opusteca::maker
