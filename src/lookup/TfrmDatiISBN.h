#pragma once
#include "kit/DialogScreen.h"
#include "lookup/core/CatalogueReply.h"

#include <functional>

class QCheckBox;
class QLabel;
class QTableWidget;

namespace opusteca {

// The data a catalogue gave for a book, beside what the card holds: the user ticks
// what goes into the card and whether the cover is attached. The screen is handed
// the rows and the action that applies them; it never touches the card itself.
class TfrmDatiISBN : public DialogScreen {
    Q_OBJECT
public:
    TfrmDatiISBN(Program &app, QWidget *opener);

    struct Row {
        int field = -1;  // an index of libro::Field
        QString found;   // as the card's field will take it
        QString current; // what the card holds now
    };
    enum class Cover { None, Available, NoFreeSlot };
    struct Choice {
        QList<catalogue::FoundValue> values; // the ticked rows
        bool cover = false;
    };

    void setData(const QString &sourceName, const QList<Row> &rows, Cover cover);
    // Runs on "Applica", before the screen closes.
    void setApplyAction(std::function<void(const Choice &)> action) { m_apply = std::move(action); }

    void btnApplicaClick();
    void btnAnnullaClick();

private:
    QLabel *m_lblFonte;
    QTableWidget *m_grdDati;
    QCheckBox *m_chkCopertina;
    QList<Row> m_rows;
    std::function<void(const Choice &)> m_apply;
};

} // namespace opusteca
