#include "search/core/RawFields.h"

namespace opusteca::rawfield {

bool isBlank(QByteArrayView v)
{
    for (char c : v)
        if (!isBlankByte(c)) return false;
    return true;
}

} // namespace opusteca::rawfield
