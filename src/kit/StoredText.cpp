#include "kit/StoredText.h"

#include "store/Cp1252.h"

#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>

namespace opusteca::storedtext {
namespace {

bool fits(QStringView s)
{
    for (QChar c : s)
        if (!cp1252::represents(c.unicode())) return false;
    return true;
}

// A line edit lets its validator rewrite the text and the cursor after every
// change, typed, pasted or set by the program; the text is never refused.
class FitValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override
    {
        if (fits(input)) return Acceptable;
        const qsizetype cursor = std::clamp<qsizetype>(pos, 0, input.size());
        pos = int(cp1252::fit(QStringView(input).left(cursor)).size());
        input = cp1252::fit(input);
        return Acceptable;
    }
};

// The characters of the document that stand for its structure, not for text:
// the break between blocks and the break Shift+Enter makes, which the memo's
// field turns into line breaks of the record.
bool isBreak(char16_t c) { return c == QChar::ParagraphSeparator || c == QChar::LineSeparator; }

void fitAdded(QTextDocument *doc, int position, int added)
{
    int end = std::min(position + added, doc->characterCount() - 1);
    QTextCursor edit(doc);
    bool editing = false;
    for (int i = std::max(position, 0); i < end;) {
        const QChar c = doc->characterAt(i);
        int length = 1;
        if (c.isHighSurrogate() && i + 1 < end && doc->characterAt(i + 1).isLowSurrogate()) length = 2;
        if (isBreak(c.unicode()) || (length == 1 && cp1252::represents(c.unicode()))) {
            i += length;
            continue;
        }
        QString original(c);
        if (length == 2) original += doc->characterAt(i + 1);
        const QString fitted = cp1252::fit(original);
        if (!editing) {
            // One step with the typing that brought the character: undo takes both back.
            edit.joinPreviousEditBlock();
            editing = true;
        }
        edit.setPosition(i);
        edit.setPosition(i + length, QTextCursor::KeepAnchor);
        edit.insertText(fitted);
        i += int(fitted.size());
        end += int(fitted.size()) - length;
    }
    if (editing) edit.endEditBlock();
}

// Typing and pasting are fitted before the text reaches the memo, so each is one
// step of the memo's undo; whatever comes in another way (a drop, the context
// menu, the program) is fitted once it is in. Undo and redo bring back only
// texts that were already fitted, and are left alone.
class MemoGuard final : public QObject {
public:
    explicit MemoGuard(QPlainTextEdit *memo) : QObject(memo), m_memo(memo) {}
    bool busy = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_memo || busy) return false;
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key == QKeySequence::Undo || key == QKeySequence::Redo) {
                if (m_memo->isReadOnly()) return false;
                busy = true;
                key == QKeySequence::Undo ? m_memo->undo() : m_memo->redo();
                busy = false;
                return true;
            }
            if (key == QKeySequence::Paste) {
                if (m_memo->isReadOnly()) return false;
                const QString text = QGuiApplication::clipboard()->text();
                if (fits(text)) return false;
                m_memo->insertPlainText(cp1252::fit(text));
                m_memo->ensureCursorVisible();
                return true;
            }
            if (fits(key->text())) return false;
            QKeyEvent fitted(key->type(), key->key(), key->modifiers(), cp1252::fit(key->text()), key->isAutoRepeat(),
                             ushort(key->count()));
            busy = true;
            QCoreApplication::sendEvent(m_memo, &fitted);
            busy = false;
            return true;
        }
        if (event->type() == QEvent::InputMethod) {
            auto *im = static_cast<QInputMethodEvent *>(event);
            if (fits(im->commitString())) return false;
            QInputMethodEvent fitted(im->preeditString(), im->attributes());
            fitted.setCommitString(cp1252::fit(im->commitString()), im->replacementStart(), im->replacementLength());
            busy = true;
            QCoreApplication::sendEvent(m_memo, &fitted);
            busy = false;
            return true;
        }
        return false;
    }

private:
    QPlainTextEdit *m_memo;
};

} // namespace

void keep(QLineEdit *edit) { edit->setValidator(new FitValidator(edit)); }

void keep(QComboBox *combo) { combo->setValidator(new FitValidator(combo)); }

void keep(QPlainTextEdit *memo)
{
    auto *guard = new MemoGuard(memo);
    memo->installEventFilter(guard);
    QTextDocument *doc = memo->document();
    QObject::connect(doc, &QTextDocument::contentsChange, guard, [doc, guard](int position, int, int added) {
        if (guard->busy || added <= 0) return;
        guard->busy = true;
        fitAdded(doc, position, added);
        guard->busy = false;
    });
}

} // namespace opusteca::storedtext
