#pragma once
#include "screens/Card.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace opusteca::cardui {

// Controls of a card, made from the record's field table: the control's name,
// its caption and its maximum length all come from there. Each text control gets
// its focus frame and is bound to the card.
QLineEdit *lineField(Card &card, int field, QWidget *parent);
QComboBox *listField(Card &card, int field, const QStringList &items, QWidget *parent);
QPlainTextEdit *memoField(Card &card, int field, QWidget *parent);
QLabel *hiddenField(Card &card, int field, QWidget *parent);
// The field's caption from the table.
QLabel *caption(const Card &card, int field, QWidget *parent, const QString &name = {});

} // namespace opusteca::cardui
