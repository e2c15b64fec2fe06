#pragma once
#include "store/Record.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class QWidget;

namespace opusteca::test {

struct RunningProgram;

// Signs in and opens an archive screen from the start menu; returns it on show.
QWidget *openArchive(RunningProgram &program, const QString &screenClass);
// Clicks a command picture (or any widget) of a screen by name, as the mouse would.
void clickPicture(QWidget *screen, const QString &name);
QString positionOf(QWidget *screen);

// A record of the given layout with some fields set through the program's own store.
Record makeRecord(const RecordLayout &layout, const QList<QPair<int, QString>> &fields);
// The bytes of an archive file holding these records one after another.
QByteArray fileOf(const QList<Record> &records);
// One field's text bytes as they stand in record `number` (1-based) of a file.
QByteArray fieldBytes(const QByteArray &file, const RecordLayout &layout, int number, int field);

} // namespace opusteca::test
