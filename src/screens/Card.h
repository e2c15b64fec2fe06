#pragma once
#include "store/Record.h"

#include <QList>
#include <QString>

class QWidget;

namespace opusteca {

// The controls of an archive screen that stand for the fields of its record, one
// control per field. This is the only working copy of a record: loading replaces
// what the controls show, building reads them back. Browsing, the search screens
// and the saves all go through here.
class Card {
public:
    explicit Card(const RecordLayout &layout);

    const RecordLayout &layout() const { return m_layout; }
    void bind(int field, QWidget *control);
    QWidget *control(int field) const { return m_controls.value(field); }
    template <class T> T *control(int field) const { return qobject_cast<T *>(control(field)); }

    // The field's text as the control holds it. Multi-line fields give their line
    // breaks as CR LF, the way the archives keep them.
    QString text(int field) const;
    void setText(int field, const QString &text);

    // Every field goes into its control (trimmed first where the layout trims).
    // A check box takes "Sì" and "No" and ignores anything else.
    void load(const Record &record);
    Record build() const;
    // Empties every control and clears the check boxes and list selections.
    void clear();

    // Characters a multi-line text counts, each line break as two.
    static qsizetype storedLength(const QString &plainText);

private:
    const RecordLayout &m_layout;
    QList<QWidget *> m_controls;
};

} // namespace opusteca
