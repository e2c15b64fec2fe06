#pragma once
#include "kit/DialogScreen.h"
#include "kit/LongLivedScreen.h"
#include "screens/Card.h"
#include "search/core/SearchScanner.h"
#include "store/ArchiveNavigator.h"

#include <QList>
#include <QString>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QVBoxLayout;

namespace opusteca {

class Program;
class CommandPicture;
class StatusLine;

// What one archive screen does differently with the shared card operations. (The
// multi-line fields, memo in the field table, are warned about above their
// capacity by their field name on every screen.)
struct ArchiveRules {
    struct Mandatory {
        int field;
        QString what; // "il titolo del libro": what the warning asks for when the field is blank
    };
    QList<Mandatory> mandatory; // tested in this order
    bool saveFailureInPlainBox = false;
    int firstField = 0; // where New puts the focus
};

// An archive screen: long-lived, opened maximised from the start menu, with a
// toolbar of command pictures, a card, a position label and a status line. It
// owns the six card operations; each screen adds its fields and its own commands.
// The controls are made with the rest of the contents (see LongLivedScreen); the
// card and the position label are reached through accessors that make them first.
class ArchiveScreen : public LongLivedScreen {
    Q_OBJECT
public:
    ArchiveScreen(Program &app, const RecordLayout &layout, const QString &className, const QString &caption,
                  ArchiveRules rules);

    Program &app() const { return m_app; }
    Card &card()
    {
        ensureBuilt();
        return m_card;
    }
    QLabel *lblPosizione()
    {
        ensureBuilt();
        return m_lblPosizione;
    }

    // The one load of a record into the card, for browsing and for the search screens.
    void loadRecord(const Record &record, qint64 number);
    // What a search of this archive does with the record the user chose.
    ChosenRecordAction loadAction()
    {
        return [this](const Record &record, qint64 number) { loadRecord(record, number); };
    }
    // Opens a search screen over this screen's archive: tagged, and loading the
    // chosen record into this card.
    template <class Search>
    void openSearchScreen(const QString &tag)
    {
        openDialog<Search>(app(), this, [&](Search &d) {
            d.setCallerTag(tag);
            d.setChosenRecordAction(loadAction());
        });
    }

    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();

    static QString accessError();

protected:
    // The window's frame, toolbar, card area and status line, then buildScreen().
    void buildContents() final;
    // The screen's own commands and card fields.
    virtual void buildScreen() = 0;
    // Empties the card for a new one; screens with defaults of their own add them.
    virtual void clearCard();
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    ArchiveNavigator navigator() const;

    // Layout helpers for the subclasses.
    QHBoxLayout *addToolbarGroup();
    CommandPicture *addCommand(QHBoxLayout *group, const QString &name, const QString &art, const QString &hover,
                               const QString &caption = {});
    QLabel *addPositionLabel(QHBoxLayout *group);
    // Where the card goes, between the toolbar and the status line.
    QWidget *cardArea() const { return m_cardArea; }
    StatusLine *statusLine() const { return m_status; }
    // A plain rectangle of the screen's background: hovering it empties the status line.
    void addBackground(QWidget *w);
    // The commands all archive screens have, with their pictures and hover texts;
    // New, Save, Help and Exit come wired, Search and Export are for the caller.
    enum class StandardCommand { New, Save, Search, Export, Help, Exit };
    CommandPicture *addStandardCommand(QHBoxLayout *group, StandardCommand command);
    // The export picture's name differs between screens.
    void setExportCommandName(const QString &name) { m_exportName = name; }
    // The browsing commands and the position label between them.
    void addCardCommands(QHBoxLayout *browse);
    void wire(CommandPicture *picture, void (ArchiveScreen::*op)());
    // Opens the attachments screen on the card's three attached files (the fields
    // File01 to Desc03), tagged; "Applica e chiudi" writes them back to the card.
    void openAttachments(const QString &tag);

private:
    void browse(const ArchiveNavigator::Result &result);
    void showAccessError(bool plain);

    Program &m_app;
    Card m_card;
    ArchiveRules m_rules;
    QWidget *m_container = nullptr;
    QHBoxLayout *m_toolbar = nullptr;
    QWidget *m_cardArea = nullptr;
    QLabel *m_lblPosizione = nullptr;
    StatusLine *m_status = nullptr;
    int m_groups = 0;
    QString m_exportName = QStringLiteral("cmdExcel");
};

} // namespace opusteca
