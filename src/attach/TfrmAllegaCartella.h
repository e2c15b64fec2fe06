#pragma once
#include "kit/DialogScreen.h"

#include <QString>

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

namespace opusteca {

// The three attached files of a record, slot by slot: the file names in the
// attachments folder and their descriptions.
struct Attachments {
    std::array<QString, 3> files;
    std::array<QString, 3> descriptions;
    // Bytes a file name field holds (0: no limit): a picked file's copy takes a
    // name that fits.
    int fileCapacity = 0;
};

// The three attachment slots of the card that opens the screen. Picking a file
// copies it at once into the shared attachments folder; the card learns the
// slots only on "Applica e chiudi", and the record only when the card is saved.
class TfrmAllegaCartella : public DialogScreen {
    Q_OBJECT
public:
    TfrmAllegaCartella(Program &app, QWidget *opener);

    // Fills the six fields, trimmed: the opener hands the card's attachments.
    void setAttachments(const Attachments &attachments);
    // What "Applica e chiudi" hands the six fields to, trimmed; without it the
    // button does nothing.
    void setApplyAction(std::function<void(const Attachments &)> action);

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

    std::array<Slot, 3> m_slots;
    std::function<void(const Attachments &)> m_apply;
    int m_fileCapacity = 0;
};

} // namespace opusteca
