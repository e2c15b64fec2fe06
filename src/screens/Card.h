#pragma once
#include "screens/FieldControls.h"
#include "store/Record.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QWidget;

namespace opusteca {

// The controls of an archive screen that stand for the fields of its record, one
// control per field. This is the only working copy of a record: loading replaces
// what the controls show, building reads them back. Browsing, the search screens
// and the saves all go through here.
class Card {
public:
    explicit Card(const RecordLayout &layout);
    ~Card();

    const RecordLayout &layout() const { return m_layout; }
    void bind(int field, std::unique_ptr<FieldControl> control);
    QWidget *control(int field) const;
    template <class T>
    T *control(int field) const
    {
        return qobject_cast<T *>(control(field));
    }

    // The field's text as the record keeps it: multi-line fields give each line
    // break as the characters it was loaded with, typed ones as CR LF.
    QString text(int field) const;
    void setText(int field, const QString &text);
    // Every field's text, in field-table order: what dialogs are handed of the card.
    QStringList texts() const;

    // Every field goes into its control (trimmed first where the layout trims).
    void load(const Record &record);
    Record build() const;
    // Empties every control and clears the check boxes and list selections.
    void clear();

private:
    FieldControl *at(int field) const;

    const RecordLayout &m_layout;
    std::vector<std::unique_ptr<FieldControl>> m_controls;
};

} // namespace opusteca
