#include "screens/core/LineBreaks.h"

namespace opusteca::linebreaks {

Lines split(const QString &text)
{
    Lines out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') continue;
        out.lines << text.mid(start, i - start);
        const QChar other = c == u'\r' ? QChar(u'\n') : QChar(u'\r');
        const bool pair = i + 1 < text.size() && text.at(i + 1) == other;
        out.breaks << text.mid(i, pair ? 2 : 1);
        if (pair) ++i;
        start = i + 1;
    }
    out.lines << text.mid(start);
    return out;
}

QString join(const Lines &lines)
{
    QString out;
    for (qsizetype i = 0; i < lines.lines.size(); ++i) {
        if (i > 0) out += lines.breaks.value(i - 1, typed());
        out += lines.lines.at(i);
    }
    return out;
}

} // namespace opusteca::linebreaks
