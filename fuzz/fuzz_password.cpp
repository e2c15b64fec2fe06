// The password file as anyone may have left it: any text is read without harm;
// the value read unscrambles only when it is hexadecimal and then scrambles
// back to its digits; a password written into that text reads back unchanged.
#include "FuzzCheck.h"
#include "access/core/PasswordStore.h"
#include "access/core/Scrambler.h"
#include "store/IniFile.h"

using namespace opusteca;

namespace {
bool isHexPairs(const QString &v)
{
    for (qsizetype i = 0; i + 1 < v.size(); i += 2)
        for (qsizetype j : {i, i + 1}) {
            const char16_t c = v[j].unicode();
            if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'))) return false;
        }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Input in(data, size);
    const QString password = QString::fromLatin1(in.chunk()).left(255);
    // The file is read as Latin-1, as the store reads it.
    const QString file = QString::fromLatin1(in.rest());
    const QString section = QStringLiteral("Accesso");
    const QString key = QStringLiteral("Valore");

    const QString value = IniFile::valueIn(file, section, key, QString());
    const std::optional<QString> plain = scrambler::unscramble(value);
    FUZZ_CHECK(plain.has_value() == isHexPairs(value));
    if (plain) {
        FUZZ_CHECK(plain->size() == value.size() / 2);
        FUZZ_CHECK(scrambler::scramble(*plain) == value.left(plain->size() * 2).toUpper());
    }

    const QString hex = scrambler::scramble(password);
    FUZZ_CHECK(hex.size() == password.size() * 2);
    FUZZ_CHECK(scrambler::unscramble(hex) == password);
    const QString written = IniFile::withValue(file, section, key, hex);
    FUZZ_CHECK(IniFile::valueIn(written, section, key, QStringLiteral("-")) == hex);
    return 0;
}
