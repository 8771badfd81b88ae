#include "app/source_view.h"

#include <algorithm>
#include <map>

#include <QFontDatabase>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QToolTip>

#include "app/designer_dialog.h"
#include "app/skin_editor.h"
#include "app/workbench.h"
#include "skin/element_at.h"
#include "skin/lint.h"

namespace pindrel {

namespace {

QString ToQString(const std::u32string& text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

// The document's characters as typed: paragraph ends as '\n', no-break spaces kept.
std::u32string DocumentText(const QTextDocument& document) {
    QString raw = document.toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const QList<uint> ucs4 = raw.toUcs4();
    return {ucs4.begin(), ucs4.end()};
}

// Sections, keys, values and comments, by the reader's own rules: trimmed lines, comments
// only where a line starts with ';', a key up to the first '='.
class SkinHighlighter final : public QSyntaxHighlighter {
public:
    explicit SkinHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
        section_.setForeground(QColor(0, 90, 170));
        section_.setFontWeight(QFont::Bold);
        key_.setForeground(QColor(130, 40, 130));
        value_.setForeground(QColor(20, 110, 40));
        comment_.setForeground(QColor(120, 120, 120));
        comment_.setFontItalic(true);
    }

protected:
    void highlightBlock(const QString& text) override {
        qsizetype first = 0;
        while (first < text.size() && text[first].isSpace())
            ++first;
        qsizetype last = text.size();
        while (last > first && text[last - 1].isSpace())
            --last;
        if (first == last) return;
        if (text[first] == QLatin1Char(';')) {
            setFormat(static_cast<int>(first), static_cast<int>(last - first), comment_);
        } else if (text[first] == QLatin1Char('[') && text[last - 1] == QLatin1Char(']') &&
                   last - first >= 2) {
            setFormat(static_cast<int>(first), static_cast<int>(last - first), section_);
        } else if (const qsizetype eq = text.indexOf(QLatin1Char('='), first);
                   eq > first && eq < last) {
            setFormat(static_cast<int>(first), static_cast<int>(eq - first), key_);
            setFormat(static_cast<int>(eq + 1), static_cast<int>(last - eq - 1), value_);
        }
    }

private:
    QTextCharFormat section_, key_, value_, comment_;
};

} // namespace

SourceView::SourceView(DesignerDialog& dialog, SkinEditor& editor, Workbench& bench,
                       QWidget* parent)
    : QPlainTextEdit(parent), dialog_(dialog), editor_(editor), bench_(bench) {
    setAccessibleName(QStringLiteral("Skin file text"));
    setToolTip(QString());
    setUndoRedoEnabled(false); // one undo for every kind of edit: the editor's
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    new SkinHighlighter(document());
    pause_.setSingleShot(true);
    pause_.setInterval(kTypingPauseMs);
    connect(&pause_, &QTimer::timeout, this, &SourceView::Apply);
    decoded_ = DecodeSource(shown_);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!showing_) pause_.start();
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &SourceView::SelectAtCursor);
    connect(&editor, &SkinEditor::TextChanged, this, &SourceView::ShowText);
    connect(&editor, &SkinEditor::SelectionChanged, this, &SourceView::FollowSelection);
    // Findings follow every finished edit: the text too, when a gesture held it back.
    connect(&bench, &Workbench::FindingsChanged, this, [this] {
        if (stale_) ShowText();
        MarkFindings();
    });
    editor.SetFlush([this] { Flush(); });
    ShowText();
}

void SourceView::ShowText() {
    const SkinSession& session = dialog_.Session();
    if (Pending() || (session.HasText() && std::ranges::equal(session.Text(), shown_))) {
        stale_ = false;
        return;
    }
    // Not while hidden, nor at every step of a drag: the text follows when it is seen, and when
    // the gesture ends.
    if (!isVisible() || editor_.InGesture()) {
        stale_ = true;
        return;
    }
    stale_ = false;
    shown_.assign(session.Text().begin(), session.Text().end());
    decoded_ = DecodeSource(shown_);
    const QString now = ToQString(decoded_.text);
    QString was = document()->toRawText();
    was.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    // Only what changed is replaced, so the cursor, the scroll and the highlighting of every
    // other line stay.
    const qsizetype most = std::min(was.size(), now.size());
    qsizetype prefix = 0;
    while (prefix < most && was[prefix] == now[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < most - prefix && was[was.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    showing_ = true;
    if (was.isEmpty()) {
        // A skin shown afresh starts at its top.
        setPlainText(now);
    } else {
        QTextCursor change(document());
        change.setPosition(static_cast<int>(prefix));
        change.setPosition(static_cast<int>(was.size() - suffix), QTextCursor::KeepAnchor);
        change.insertText(now.mid(prefix, now.size() - prefix - suffix));
    }
    showing_ = false;
    setReadOnly(!session.HasText());
    MarkFindings();
}

void SourceView::showEvent(QShowEvent* event) {
    QPlainTextEdit::showEvent(event);
    if (stale_) ShowText();
}

void SourceView::Apply() {
    pause_.stop();
    // Typing applies only over the text it was typed into.
    if (!dialog_.Session().HasText() || stale_) return;
    std::vector<uint8_t> bytes = EncodeEditedSource(shown_, decoded_, DocumentText(*document()));
    if (bytes == shown_) return;
    shown_ = bytes;
    decoded_ = DecodeSource(shown_);
    editor_.ApplyText(std::move(bytes));
}

void SourceView::Flush() {
    if (Pending()) Apply();
}

void SourceView::keyPressEvent(QKeyEvent* event) {
    // Undo and redo are the editor's, for typing and every other edit alike.
    if (event->matches(QKeySequence::Undo)) {
        Flush();
        editor_.Undo();
        return;
    }
    if (event->matches(QKeySequence::Redo) ||
        (event->key() == Qt::Key_Z &&
         event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier))) {
        Flush();
        editor_.Redo();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void SourceView::focusOutEvent(QFocusEvent* event) {
    Flush();
    QPlainTextEdit::focusOutEvent(event);
}

QString SourceView::FindingsOn(int32_t line) const {
    QStringList texts;
    for (const LintFinding& f : bench_.Findings().findings)
        if (f.line == line)
            texts.push_back((f.error ? QStringLiteral("error: ") : QStringLiteral("warning: ")) +
                            QString::fromStdString(f.text));
    return texts.join(QLatin1Char('\n'));
}

void SourceView::MarkFindings() {
    // One mark a line, the worst finding's colour.
    std::map<int32_t, bool> lines;
    for (const LintFinding& f : bench_.Findings().findings)
        if (f.line > 0) lines[f.line] = lines[f.line] || f.error;
    QList<QTextEdit::ExtraSelection> marks;
    for (const auto& [line, error] : lines) {
        const QTextBlock block = document()->findBlockByNumber(line - 1);
        if (!block.isValid()) continue;
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(block);
        mark.format.setBackground(error ? QColor(255, 225, 225) : QColor(255, 243, 205));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks.push_back(mark);
        QTextEdit::ExtraSelection underline;
        underline.cursor = QTextCursor(block);
        underline.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        underline.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        underline.format.setUnderlineColor(error ? Qt::red : QColor(220, 140, 0));
        marks.push_back(underline);
    }
    setExtraSelections(marks);
}

bool SourceView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int line = cursorForPosition(help->pos()).blockNumber() + 1;
        const QString text = FindingsOn(line);
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QPlainTextEdit::viewportEvent(event);
}

void SourceView::FollowSelection() {
    if (Pending()) return;
    int32_t line = 0;
    const SkinIniFile& parsed = dialog_.Session().Parsed();
    if (const std::optional<PlacedElement> selected = editor_.Selection()) {
        if (!ElementRect(dialog_, *selected)) return;
        line = selected->kind == PlacedKind::Image    ? dialog_.images[selected->index].line
               : selected->kind == PlacedKind::Button ? dialog_.buttons[selected->index].line
               : selected->kind == PlacedKind::Label  ? dialog_.labels[selected->index].line
                                                      : dialog_.photoRect.line;
    } else if (const std::optional<int32_t> s = editor_.SelectedSection()) {
        // A section that did not load, chosen to be mended.
        if (*s >= 0 && static_cast<size_t>(*s) < parsed.sectionLines.size())
            line = parsed.sectionLines[static_cast<size_t>(*s)].header;
    }
    if (line <= 0) return;
    // Already in that section: the cursor stays where the author put it.
    if (SectionAtLine(parsed, textCursor().blockNumber() + 1) == SectionAtLine(parsed, line))
        return;
    following_ = true;
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (block.isValid()) {
        setTextCursor(QTextCursor(block));
        centerCursor();
    }
    following_ = false;
}

void SourceView::SelectAtCursor() {
    if (showing_ || following_ || Pending() || !dialog_.Session().HasText()) return;
    const int32_t s = SectionAtLine(dialog_.Session().Parsed(), textCursor().blockNumber() + 1);
    const std::optional<PlacedElement> element = ElementOfSection(dialog_, s);
    if (element && element != editor_.Selection()) editor_.Select(element);
}

} // namespace pindrel
