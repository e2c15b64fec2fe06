#pragma once
#include "screens/ArchiveScreen.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;

namespace opusteca {

// The book archive: the card of one book with all its fields, the six card
// operations, duplication, the cancelled flag, loans, and the ISBN web search.
class TfrmLibri : public ArchiveScreen {
    Q_OBJECT
public:
    explicit TfrmLibri(Application &app);

    void cmdDuplicaClick();
    void btnGoogleClick();
    void btnScadenzaClick();

    // The web address the ISBN search opens, for the ISBN as typed.
    static QString isbnSearchAddress(const QString &isbn);

protected:
    void clearCard() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCard();
    void buildToolbar();
    QWidget *section(int number, const QString &art, QGridLayout *&grid);
    QLineEdit *m_txtIsbn = nullptr;
};

} // namespace opusteca
