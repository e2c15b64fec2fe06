#pragma once
#include "import/core/CatalogueImport.h"
#include "kit/DialogScreen.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTableWidget;

namespace opusteca {

class StatusLine;

// Imports a catalogue kept elsewhere into the book archive: the user picks the
// file, checks how its columns fill the card's fields on the first rows, and
// imports. Every row is checked before anything is written, and the books are
// appended all at once or not at all.
class TfrmImportaLibri : public DialogScreen {
    Q_OBJECT
public:
    TfrmImportaLibri(Program &app, QWidget *opener);
    ~TfrmImportaLibri() override;

    // Reads the file as the format chosen in cmbFormato says, as a pick in
    // dlgFile does; a file that cannot be imported is said so in a message.
    void loadFile(const QString &path);

    void btnSfogliaClick();
    void btnImportaClick();
    void cmdGuidaClick();

private:
    QWidget *buildFileRow(QWidget *parent);
    QWidget *buildGrids(QWidget *parent);
    void reload();
    void clearFile();
    void fillColumns();
    void refreshPreview();
    // Runs a pass of the import under the progress window; false when the
    // user pressed Annulla.
    bool withProgress(const QString &label, const std::function<bool(const CatalogueImport::Progress &)> &pass);

    CatalogueImport m_import;
    QString m_path;
    bool m_loaded = false;
    StatusLine *m_status = nullptr;
    QLineEdit *m_txtFile = nullptr;
    QComboBox *m_cmbFormato = nullptr;
    QLineEdit *m_txtPrefisso = nullptr;
    QCheckBox *m_chkDuplicati = nullptr;
    QTableWidget *m_grdColonne = nullptr;
    QTableView *m_grdAnteprima = nullptr;
    QStandardItemModel *m_preview = nullptr;
    QListWidget *m_lstScarti = nullptr;
    QPushButton *m_btnImporta = nullptr;
};

} // namespace opusteca
