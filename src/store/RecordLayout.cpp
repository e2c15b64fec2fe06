#include "store/RecordLayout.h"

namespace opusteca {

int RecordLayout::indexOf(QStringView name) const
{
    for (int i = 0; i < fieldCount(); ++i)
        if (name == QLatin1String(fields[i].name)) return i;
    return -1;
}

int RecordLayout::indexOfControl(QStringView control) const
{
    for (int i = 0; i < fieldCount(); ++i)
        if (control == QLatin1String(fields[i].control)) return i;
    return -1;
}

} // namespace opusteca
