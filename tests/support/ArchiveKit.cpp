#include "support/ArchiveKit.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

namespace opusteca::test {

QWidget *openArchive(RunningProgram &program, const QString &screenClass)
{
    program.signIn();
    QWidget *menu = topLevel(QStringLiteral("TfrmAvvio"));
    const QString key = screenClass.mid(4); // "Libri", "Autori", "Bibliografie"
    clickPicture(menu, QStringLiteral("btn") + key);
    return topLevel(screenClass);
}

void clickPicture(QWidget *screen, const QString &name)
{
    QWidget *w = screen->findChild<QWidget *>(name);
    if (!w) {
        qWarning("no control named %s", qPrintable(name));
        return;
    }
    click(w);
}

QString positionOf(QWidget *screen) { return screen->findChild<QLabel *>(QStringLiteral("lblPosizione"))->text(); }

Record makeRecord(const RecordLayout &layout, const QList<QPair<int, QString>> &fields)
{
    Record r(layout);
    for (const auto &[field, value] : fields) r.setText(field, value);
    return r;
}

QByteArray fileOf(const QList<Record> &records)
{
    QByteArray out;
    for (const Record &r : records) out += r.bytes();
    return out;
}

QByteArray fieldBytes(const QByteArray &file, const RecordLayout &layout, int number, int field)
{
    const FieldDef &f = layout.fields[field];
    const qsizetype at = qsizetype(number - 1) * layout.recordSize + f.offset;
    if (at + f.size() > file.size()) return {};
    const QByteArrayView raw = field::rawText(file.constData() + at, layout.kind, f.capacity);
    return raw.toByteArray();
}

} // namespace opusteca::test
