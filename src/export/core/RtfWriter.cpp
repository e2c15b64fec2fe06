#include "export/core/RtfWriter.h"

#include "store/Cp1252.h"
#include "store/Text.h"

#include <QIODevice>

namespace opusteca {
namespace {

void appendValue(QByteArray &out, const QString &value)
{
    const QByteArray bytes = cp1252::encode(text::trimmed(value));
    out.reserve(out.size() + bytes.size() + bytes.size() / 8 + 16);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        switch (c) {
        case '\\':
        case '{':
        case '}':
            out.append('\\');
            out.append(c);
            break;
        case '\r':
        case '\n': {
            // A pair of different break characters is one break.
            const char other = c == '\r' ? '\n' : '\r';
            if (i + 1 < bytes.size() && bytes[i + 1] == other) ++i;
            out.append("\\par ");
            break;
        }
        default:
            out.append(c);
        }
    }
}

void appendLabel(QByteArray &out, const QString &label)
{
    static const char hex[] = "0123456789abcdef";
    for (const char c : cp1252::encode(label)) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            out.append("\\'");
            out.append(hex[u >> 4]);
            out.append(hex[u & 15]);
        } else if (c == '\\' || c == '{' || c == '}') {
            out.append('\\');
            out.append(c);
        } else {
            out.append(c);
        }
    }
}

} // namespace

QByteArray rtfCard(const QString &title, const QList<RtfField> &fields)
{
    QByteArray out;
    out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040"
               "{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}{\\f1\\fnil Verdana;}}");
    out.append("{\\colortbl ;\\red0\\green0\\blue0;}");
    out.append("\\viewkind4\\uc1\\pard\\qc\\cf1\\b\\f0\\fs24 ");
    appendValue(out, title);
    out.append("\\f1\\fs16");
    out.append("\\par \\fs24 ");
    out.append(QByteArray(48, '_'));
    out.append("\\par");
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields[i].label.isEmpty()) {
            // A paragraph of text alone: no bold label, nor the blank after it.
            out.append(i == 0 ? "\\par \\pard\\f0\\fs20\\b0 " : "\\par \\b0\\f0 ");
        } else {
            out.append(i == 0 ? "\\par \\pard\\f0\\fs20 " : "\\par \\b ");
            appendLabel(out, fields[i].label);
            out.append("\\b0\\f1  \\f0 ");
        }
        appendValue(out, fields[i].value);
        if (i + 1 == fields.size()) out.append("\\b");
        out.append("\\par");
    }
    out.append("\\par }");
    return out;
}

bool writeRtfCard(QIODevice &out, const QString &title, const QList<RtfField> &fields)
{
    const QByteArray doc = rtfCard(title, fields);
    return out.write(doc) == doc.size();
}

} // namespace opusteca
