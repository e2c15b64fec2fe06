// The RTF card writer fed with any field text, under the real labels of both
// cards: the document is one line of Windows-1252 whose braces balance, group
// by group, to its very last byte, whatever the values hold.
#include "FuzzCheck.h"
#include "export/core/RtfCards.h"
#include "export/core/RtfWriter.h"
#include "store/Cp1252.h"

using namespace opusteca;

namespace {

// Depth never below zero, and back to zero only at the last byte.
bool bracesBalance(const QByteArray &doc)
{
    int depth = 0;
    for (qsizetype i = 0; i < doc.size(); ++i) {
        const char c = doc[i];
        if (c == '\\') {
            if (i + 1 < doc.size() && (doc[i + 1] == '\\' || doc[i + 1] == '{' || doc[i + 1] == '}'))
                ++i;
            else if (i + 1 < doc.size() && doc[i + 1] == '\'')
                i += 3;
            continue;
        }
        if (c == '{') ++depth;
        if (c == '}' && (--depth < 0 || (depth == 0 && i + 1 != doc.size()))) return false;
    }
    return depth == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Input in(data, size);
    const RtfCardKind &kind = rtfCardKind(in.byte() % 2 ? RtfCard::Bibliography : RtfCard::Author);
    QList<RtfField> fields;
    QString all;
    for (const RtfCardField &f : kind.fields) {
        const QByteArray chunk = in.chunk();
        const QString value = chunk.startsWith('\xFE') ? fuzz::Input::utf16(chunk.mid(1)) : cp1252::decode(chunk);
        fields.append({QString::fromUtf8(f.label), value});
        all += value;
    }
    const QByteArray doc = rtfCard(QString::fromUtf8(kind.title), fields);
    FUZZ_CHECK(doc.startsWith("{\\rtf1"));
    FUZZ_CHECK(bracesBalance(doc));
    // One line: every line break of a value became a paragraph mark.
    FUZZ_CHECK(!doc.contains('\r') && !doc.contains('\n'));
    for (const char c : doc) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) FUZZ_CHECK(all.contains(QChar(char16_t(b))));
    }
    return 0;
}
