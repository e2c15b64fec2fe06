// The code page: decoding then encoding any bytes gives them back, and text of
// any characters encodes to one byte per character, '?' for what it lacks.
#include "FuzzCheck.h"
#include "store/Cp1252.h"

using namespace opusteca;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = cp1252::decode(bytes);
    FUZZ_CHECK(text.size() == bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        FUZZ_CHECK(text[i] == cp1252::toUnicode(static_cast<unsigned char>(bytes[i])));
    FUZZ_CHECK(cp1252::encode(text) == bytes);
    QByteArray exact;
    FUZZ_CHECK(cp1252::encodeExactly(text, exact) && exact == bytes);

    // The same input read as UTF-16 text: what encodes exactly decodes back to
    // the text; anything else holds a '?' where a character was lost.
    const QString any = fuzz::Input::utf16(bytes);
    const QByteArray encoded = cp1252::encode(any);
    FUZZ_CHECK(encoded.size() <= any.size());
    if (cp1252::encodeExactly(any, exact)) {
        FUZZ_CHECK(cp1252::decode(exact) == any);
    } else {
        FUZZ_CHECK(encoded.contains('?'));
    }
    return 0;
}
