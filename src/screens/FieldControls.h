#pragma once
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace opusteca {

// What the card needs from the control of one field, whatever its kind: the
// text as the record stores it, a new text, an empty state and a change signal.
class FieldControl {
public:
    virtual ~FieldControl() = default;
    virtual QWidget *widget() const = 0;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual void clear() = 0;
    // Calls changed whenever the user or the program changes the value.
    virtual void onChanged(QObject *context, std::function<void()> changed) = 0;
};

std::unique_ptr<FieldControl> lineControl(QLineEdit *edit);
std::unique_ptr<FieldControl> choiceControl(QComboBox *combo);
// Each line break keeps the characters it was loaded with; a break the user
// types is stored as CR LF, and a text the user did not touch comes back
// exactly as it went in.
std::unique_ptr<FieldControl> memoControl(QPlainTextEdit *memo);
// A check box holding one of two texts; other texts leave it as it is.
std::unique_ptr<FieldControl> flagControl(QCheckBox *box, const QString &yes, const QString &no);
std::unique_ptr<FieldControl> hiddenControl(QLabel *label);

} // namespace opusteca
