#pragma once
#include "app/DialogScreen.h"

#include <QList>

class QLineEdit;

namespace opusteca {

class Card;

// Attached files of a book or bibliography card.
class TfrmAllegaCartella : public DialogScreen {
    Q_OBJECT
public:
    TfrmAllegaCartella(Application &app, QWidget *opener);

    // Fills txtFile01..03 and txtDesc01..03 from the card's hidden labels, trimmed.
    void prefill(const Card &card, const QList<int> &fileFields, const QList<int> &descFields);

private:
    QList<QLineEdit *> m_files;
    QList<QLineEdit *> m_descs;
};

} // namespace opusteca
