#pragma once
#include "screens/ArchiveScreen.h"

#include <functional>
#include <initializer_list>

class QGridLayout;
class QLineEdit;
class QPlainTextEdit;

namespace opusteca {

// The layout the author and bibliography screens share: the same toolbar, and a
// field area between two tall side pictures, each field under its caption.
class SideCardScreen : public ArchiveScreen {
    Q_OBJECT
public:
    using ArchiveScreen::ArchiveScreen;

    void cmdTrovaClick();
    void cmdWordClick();
    void cmdExcelClick();
    void impLibriClick();
    virtual void cmdCartellaClick() = 0;

protected:
    struct FolderCommand {
        QString art;
        QString caption;
        QString hover;
    };
    // Builds the toolbar; the fourth command is the screen's own folder command.
    void buildToolbar(const FolderCommand &folder);
    // The grid of captioned fields, between the side pictures: six equal columns.
    QGridLayout *buildFieldArea(const QString &sideArt);
    // The card's controls for a field, made in the field area.
    QLineEdit *lineField(int field);
    QPlainTextEdit *memoField(int field);
    // A captioned field in the grid: caption in `row`, control in `row + 1`.
    QWidget *place(int field, int row, int column, int columnSpan, const QString &captionName, QWidget *control);
    // Where a field goes in the grid: caption in `row`, control in `row + 1`.
    struct Placement {
        int field;
        int row;
        int column;
        int columnSpan;
    };
    // Places the fields in the given order, each built as its kind in the field
    // table says, with captions lblCampo001, lblCampo002, ... in that order, which
    // is also the tab order and the Enter chain.
    void placeFields(std::initializer_list<Placement> fields);
    // The small import arrow over the top right corner of a multi-line field.
    void addImportArrow(int row, int column, int columnSpan);
    // Tab order and Enter chain over the card's fields, in the given order.
    void chainFields(const QList<int> &order);
    // What the book search opened by impLibri does with a chosen book: adds its
    // book entry to the field.
    ChosenRecordAction importAction(int field);

    // What each screen does on its commands.
    virtual QString tag() const = 0;
    virtual void openSearch() = 0;
    virtual void openExport() = 0;
    virtual void openImport() = 0;

private:
    QGridLayout *m_grid = nullptr;
};

} // namespace opusteca
