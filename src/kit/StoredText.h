#pragma once

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace opusteca::storedtext {

// A control whose text goes into a record shows what the record will hold: a
// character the code page lacks is replaced (cp1252::fit) the moment it is typed,
// pasted or set, and the cursor stays where it was. Otherwise the card would go
// on showing, printing and exporting a text other than the one saved.
void keep(QLineEdit *edit);
void keep(QComboBox *combo);
void keep(QPlainTextEdit *memo);

} // namespace opusteca::storedtext
