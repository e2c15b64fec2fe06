#pragma once
#include "export/core/ExportKinds.h"
#include "kit/DialogScreen.h"

class QLabel;
class QTableView;

namespace opusteca {

class CommandPicture;
class PreviewModel;

// The spreadsheet export screen, one design for the three archives: a preview
// grid of the whole archive, filled when the screen is shown, and an export
// picture that writes the grid to the archive's document in the program folder
// and offers to open it. The grid's editable cells change only the document.
class ExportScreen : public DialogScreen {
    Q_OBJECT
public:
    ExportScreen(Program &app, QWidget *opener, ExportArchive archive);
    ~ExportScreen() override;

    const ExportKind &kind() const { return m_kind; }
    QTableView *grdRecords() const { return m_grid; }
    PreviewModel *model() const { return m_model; }
    QString documentPath() const;

    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildGrid(QWidget *container);
    // A cell still being typed in counts as typed.
    void commitEditor();

    const ExportKind &m_kind;
    PreviewModel *m_model;
    QTableView *m_grid = nullptr;
    bool m_filled = false;
};

class TfrmExpLibri : public ExportScreen {
    Q_OBJECT
public:
    TfrmExpLibri(Program &app, QWidget *opener) : ExportScreen(app, opener, ExportArchive::Books) {}
};

class TfrmExpAutori : public ExportScreen {
    Q_OBJECT
public:
    TfrmExpAutori(Program &app, QWidget *opener) : ExportScreen(app, opener, ExportArchive::Authors) {}
};

class TfrmExpBibliografie : public ExportScreen {
    Q_OBJECT
public:
    TfrmExpBibliografie(Program &app, QWidget *opener) : ExportScreen(app, opener, ExportArchive::Bibliographies) {}
};

} // namespace opusteca
