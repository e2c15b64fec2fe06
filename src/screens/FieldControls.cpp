#include "screens/FieldControls.h"

#include "screens/core/LineBreaks.h"
#include "store/Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace opusteca {
namespace {

class LineControl final : public FieldControl {
public:
    explicit LineControl(QLineEdit *e) : m_edit(e) {}
    QWidget *widget() const override { return m_edit; }
    QString text() const override { return m_edit->text(); }
    void setText(const QString &value) override
    {
        m_edit->setText(value);
        m_edit->setCursorPosition(0);
    }
    void clear() override { m_edit->clear(); }
    void onChanged(QObject *context, std::function<void()> changed) override
    {
        QObject::connect(m_edit, &QLineEdit::textChanged, context, [changed] { changed(); });
    }

private:
    QLineEdit *m_edit;
};

class ChoiceControl final : public FieldControl {
public:
    explicit ChoiceControl(QComboBox *c) : m_combo(c) {}
    QWidget *widget() const override { return m_combo; }
    QString text() const override { return m_combo->currentText(); }
    void setText(const QString &value) override
    {
        // Text only: a value that happens to be in the list does not select it.
        m_combo->setCurrentIndex(-1);
        m_combo->setEditText(value);
    }
    void clear() override
    {
        m_combo->setCurrentIndex(-1);
        m_combo->clearEditText();
    }
    void onChanged(QObject *context, std::function<void()> changed) override
    {
        QObject::connect(m_combo, &QComboBox::currentTextChanged, context, [changed] { changed(); });
    }

private:
    QComboBox *m_combo;
};

// The break that ends the line before a block, kept on the block. When the user
// splits a line the first half keeps its data, so the new second half has none
// and gets the typed break; when two lines are joined the break between them
// goes with the second line's data.
class BreakBefore final : public QTextBlockUserData {
public:
    explicit BreakBefore(QString chars) : characters(std::move(chars)) {}
    QString characters;
};

class MemoControl final : public FieldControl {
public:
    explicit MemoControl(QPlainTextEdit *p) : m_memo(p) {}
    QWidget *widget() const override { return m_memo; }

    QString text() const override
    {
        // Untouched, or edited back to what was loaded: the loaded text itself.
        if (m_memo->document()->toRawText() == m_shown) return m_stored;
        QString out;
        for (QTextBlock b = m_memo->document()->begin(); b.isValid(); b = b.next()) {
            if (b != m_memo->document()->begin()) {
                const auto *before = static_cast<const BreakBefore *>(b.userData());
                out += before ? before->characters : linebreaks::typed();
            }
            // block text keeps a no-break space as it is; Shift+Enter is a typed break.
            QString line = b.text();
            line.replace(QChar::LineSeparator, linebreaks::typed());
            out += line;
        }
        return out;
    }

    void setText(const QString &value) override
    {
        const linebreaks::Lines lines = linebreaks::split(value);
        m_memo->setPlainText(lines.lines.join(QLatin1Char('\n')));
        int i = 0;
        for (QTextBlock b = m_memo->document()->begin(); b.isValid(); b = b.next(), ++i)
            if (i > 0 && i <= lines.breaks.size()) b.setUserData(new BreakBefore(lines.breaks.at(i - 1)));
        m_stored = value;
        m_shown = m_memo->document()->toRawText();
    }

    void clear() override { setText(QString()); }

    void onChanged(QObject *context, std::function<void()> changed) override
    {
        QObject::connect(m_memo, &QPlainTextEdit::textChanged, context, [changed] { changed(); });
    }

private:
    QPlainTextEdit *m_memo;
    QString m_stored; // the text as it was last loaded
    QString m_shown;  // what the editor held right after that load
};

class FlagControl final : public FieldControl {
public:
    FlagControl(QCheckBox *b, QString yes, QString no) : m_box(b), m_yes(std::move(yes)), m_no(std::move(no)) {}
    QWidget *widget() const override { return m_box; }
    QString text() const override { return m_box->isChecked() ? m_yes : m_no; }
    void setText(const QString &value) override
    {
        const QString t = text::trimmed(value);
        if (t == m_yes)
            m_box->setChecked(true);
        else if (t == m_no)
            m_box->setChecked(false);
    }
    void clear() override { m_box->setChecked(false); }
    void onChanged(QObject *context, std::function<void()> changed) override
    {
        QObject::connect(m_box, &QCheckBox::toggled, context, [changed] { changed(); });
    }

private:
    QCheckBox *m_box;
    QString m_yes;
    QString m_no;
};

class HiddenControl final : public FieldControl {
public:
    explicit HiddenControl(QLabel *l) : m_label(l) {}
    QWidget *widget() const override { return m_label; }
    QString text() const override { return m_label->text(); }
    void setText(const QString &value) override { m_label->setText(value); }
    void clear() override { m_label->clear(); }
    // A label has no change signal of its own: only the program changes it, through the card.
    void onChanged(QObject *, std::function<void()>) override {}

private:
    QLabel *m_label;
};

} // namespace

std::unique_ptr<FieldControl> lineControl(QLineEdit *edit) { return std::make_unique<LineControl>(edit); }
std::unique_ptr<FieldControl> choiceControl(QComboBox *combo) { return std::make_unique<ChoiceControl>(combo); }
std::unique_ptr<FieldControl> memoControl(QPlainTextEdit *memo) { return std::make_unique<MemoControl>(memo); }
std::unique_ptr<FieldControl> flagControl(QCheckBox *box, const QString &yes, const QString &no)
{
    return std::make_unique<FlagControl>(box, yes, no);
}
std::unique_ptr<FieldControl> hiddenControl(QLabel *label) { return std::make_unique<HiddenControl>(label); }

} // namespace opusteca
