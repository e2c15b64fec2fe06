#pragma once
#include "screens/ArchiveScreen.h"

class QGridLayout;
class QLineEdit;
class QVBoxLayout;

namespace opusteca {

class CatalogueLookup;

// The book archive: the card of one book with all its fields, the six card
// operations, duplication, the cancelled flag, loans, the ISBN web search
// and the card filled from the catalogues by the ISBN.
class TfrmLibri : public ArchiveScreen {
    Q_OBJECT
public:
    explicit TfrmLibri(Program &app);

    void cmdDuplicaClick();
    void btnGoogleClick();
    void btnCercaISBNClick();
    void btnScadenzaClick();

    // The web address the ISBN search opens, for the ISBN as typed.
    static QString isbnSearchAddress(const QString &isbn);

protected:
    void buildScreen() override;
    void clearCard() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildToolbar();
    // The card, section by section, top to bottom.
    void buildCard();
    void buildBookSection(QVBoxLayout *cardLayout);
    void buildEditionSection(QVBoxLayout *cardLayout);
    void buildOriginalSection(QVBoxLayout *cardLayout);
    void buildNotesSection(QVBoxLayout *cardLayout);
    // A framed section with its picture; returns the grid its fields go on.
    QGridLayout *addSection(QVBoxLayout *cardLayout, int number, const QString &art);
    // A small command picture beside a field, with its status-line text.
    CommandPicture *fieldPicture(QWidget *parent, const QString &name, const QString &art, const QString &hover);
    // Downloads the cover into the attachments folder and names it in a free slot.
    void attachCover(CatalogueLookup &lookup, QWidget *over, const QString &address, const QString &name);
    QLineEdit *m_txtIsbn = nullptr;
};

} // namespace opusteca
