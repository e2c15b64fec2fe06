#pragma once
#include "kit/DialogScreen.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace opusteca {

class Card;

// The three attachment slots of the book or bibliography card on show. Picking a
// file copies it at once into the shared attachments folder; the card's hidden
// labels change only on "Applica e chiudi", and the record only when the card is saved.
class TfrmAllegaCartella : public DialogScreen {
    Q_OBJECT
public:
    TfrmAllegaCartella(Program &app, QWidget *opener);

    // Fills the six fields, trimmed, from the hidden labels of the card the caller
    // tag names; the opener sets the tag first.
    void prefillFromCard();

    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void btnApplicaClick();
    void btnAnnullaClick();

private:
    struct Slot {
        QLineEdit *file = nullptr;
        QLineEdit *desc = nullptr;
        QPushButton *sfoglia = nullptr;
        QPushButton *apri = nullptr;
    };
    QWidget *buildSlot(int slot, QWidget *parent);
    // The card the caller tag names and its six attachment fields, or none.
    struct Target {
        Card *card = nullptr;
        std::array<int, 3> files{};
        std::array<int, 3> descs{};
    };
    Target target() const;

    std::array<Slot, 3> m_slots;
};

} // namespace opusteca
