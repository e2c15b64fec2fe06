#pragma once
#include "screens/Card.h"

#include <QString>
#include <QStringList>

// The Qt controls are declared with the card's control adapters (FieldControls.h).

namespace opusteca::cardui {

// Controls of a card, made from the record's field table: the control's name,
// its caption and its maximum length all come from there. Each text control gets
// its focus frame, and every control is bound to the card through the adapter
// of its kind.
QLineEdit *lineField(Card &card, int field, QWidget *parent);
QComboBox *listField(Card &card, int field, const QStringList &items, QWidget *parent);
QPlainTextEdit *memoField(Card &card, int field, QWidget *parent);
// A check box captioned from the table, holding yes or no in the record.
QCheckBox *flagField(Card &card, int field, const QString &yes, const QString &no, QWidget *parent);
QLabel *hiddenField(Card &card, int field, QWidget *parent);
// Every field the table marks hidden: they travel with the record, never shown.
void hiddenFields(Card &card, QWidget *parent);
// The field's caption from the table.
QLabel *caption(const Card &card, int field, QWidget *parent, const QString &name = {});

} // namespace opusteca::cardui
