#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>

#include "app/editor_window.h"
#include "app/source_view.h"
#include "edit_harness.h"

using namespace pindrel;
using namespace pindrel::test;

namespace {

// Every kind of line end, no final one, and bytes of 0x80 and above in a comment and a value.
constexpr char kMixedSkin[] = "; caf\xe9 \xc3\xa9t\xc3\xa9\r\n"
                              "[Background Color]\n"
                              "color=0,0,255\r"
                              "[Button]\r\n"
                              "file_up=up.bmp\n"
                              "file_down=down.bmp\r\n"
                              "posP=20,20\n"
                              "id=7\r\n"
                              "[Label]\r"
                              "fields=name\r\n"
                              "posP=0,100\n"
                              "sizeP=40,40 ; \x80\xff";

const PlacedElement kButton{PlacedKind::Button, 0};
const PlacedElement kLabel{PlacedKind::Label, 0};

struct SourceBench : EditBench {
    explicit SourceBench(const QTemporaryDir& dir) : EditBench(dir, kMixedSkin) {
        EditMode(true);
        dialog->Tools().Editing().Tabs().setCurrentWidget(&Source());
    }
    SourceView& Source() const { return dialog->Tools().Editing().Source(); }
    // Types text at the start of a 1-based line, as the author would.
    void TypeAt(int line, const QString& text) const {
        QTextCursor c(Source().document()->findBlockByNumber(line - 1));
        Source().setTextCursor(c);
        // One key event a character, as typing gives them; any character, not only ASCII.
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(&Source(), &press);
        }
    }
    int CursorLine() const { return Source().textCursor().blockNumber() + 1; }
};

} // namespace

class TestSource : public QObject {
    Q_OBJECT

private slots:
    void init() { QDir::setCurrent(startDir); }

    // The tab holds the file's text; nothing typed, nothing changes, to the byte.
    void roundTripKeepsEveryByte() {
        QTemporaryDir dir;
        SourceBench h(dir);
        QVERIFY(h.dialog->Tools().Editing().isVisible());
        QCOMPARE(h.Source().document()->blockCount(), 12);
        QVERIFY(h.Source().document()->findBlockByNumber(0).text().startsWith(
            QStringLiteral("; caf\u00e9 \u00e9t\u00e9")));
        // A character typed and taken back again gives the file's own bytes.
        h.TypeAt(5, QStringLiteral("x"));
        QTest::keyClick(&h.Source(), Qt::Key_Backspace);
        h.Source().Flush();
        QCOMPARE(SessionText(*h.dialog), QByteArray(kMixedSkin));
        QVERIFY(!h.dialog->Session().Modified());
    }

    // Typing applies after a pause, as one step; only the typed bytes change.
    void typingAppliesAfterAPause() {
        QTemporaryDir dir;
        SourceBench h(dir);
        h.TypeAt(8, QStringLiteral("\u00e9;"));
        QVERIFY(h.Source().Pending());
        QCOMPARE(SessionText(*h.dialog), QByteArray(kMixedSkin));
        QTRY_VERIFY(!h.Source().Pending());
        QByteArray expected(kMixedSkin);
        expected.insert(expected.indexOf("id=7"), "\xc3\xa9;");
        QCOMPARE(SessionText(*h.dialog), expected);
        // The button's id line is gone for the loader: the preview follows.
        QCOMPARE(h.dialog->buttons[0].id, -1);
        // Undo in the tab is the editors' undo, and takes the whole pause's typing back.
        QTest::keyClick(&h.Source(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(SessionText(*h.dialog), QByteArray(kMixedSkin));
        QCOMPARE(h.dialog->buttons[0].id, 7);
        QCOMPARE(h.Source().document()->findBlockByNumber(7).text(), QStringLiteral("id=7"));
    }

    // A new line takes the file's first line end; the lines around keep theirs.
    void newLineTakesTheFilesFirstEnd() {
        QTemporaryDir dir;
        SourceBench h(dir);
        h.TypeAt(8, QStringLiteral("type=8"));
        QTest::keyClick(&h.Source(), Qt::Key_Return);
        h.Source().Flush();
        QByteArray expected(kMixedSkin);
        expected.insert(expected.indexOf("id=7"), "type=8\r\n");
        QCOMPARE(SessionText(*h.dialog), expected);
        QCOMPARE(h.dialog->buttons[0].type, 8);
    }

    // Typing, a drag in the preview and undo share one history; Save writes what the tab holds.
    void oneHistoryAndSave() {
        QTemporaryDir dir;
        SourceBench h(dir);
        h.TypeAt(1, QStringLiteral(";x"));
        // The drag applies the typing first.
        Drag(h.dialog->Preview(), QPointF(30, 30), QPointF(32, 30));
        QByteArray typed(kMixedSkin);
        typed.prepend(";x");
        QVERIFY(SessionText(*h.dialog).startsWith(";x"));
        QVERIFY(SessionText(*h.dialog) != typed);
        h.Editor().Undo();
        QCOMPARE(SessionText(*h.dialog), typed);
        QVERIFY(h.Source().document()->findBlockByNumber(0).text().startsWith(";x"));
        h.Editor().Undo();
        QCOMPARE(SessionText(*h.dialog), QByteArray(kMixedSkin));
        h.TypeAt(1, QStringLiteral(";y"));
        QVERIFY(h.Source().Pending());
        QVERIFY(h.Editor().Save());
        typed = kMixedSkin;
        typed.prepend(";y");
        QCOMPARE(ReadAll(h.skin), typed);
    }

    // Selecting an element moves the cursor to its section; the cursor selects what it is in.
    void selectionFollowsBothWays() {
        QTemporaryDir dir;
        SourceBench h(dir);
        h.Editor().Select(kLabel);
        QCOMPARE(h.CursorLine(), 9);
        // Within the section the cursor stays where the author puts it.
        QTextCursor c(h.Source().document()->findBlockByNumber(10));
        h.Source().setTextCursor(c);
        QCOMPARE(h.Editor().Selection(), std::optional(kLabel));
        h.Editor().Select(kLabel);
        QCOMPARE(h.CursorLine(), 11);
        // Into the button's section: the button is selected.
        h.Source().setTextCursor(QTextCursor(h.Source().document()->findBlockByNumber(6)));
        QCOMPARE(h.Editor().Selection(), std::optional(kButton));
        Click(h.dialog->Preview(), QPointF(5, 105));
        QCOMPARE(h.Editor().Selection(), std::optional(kLabel));
        QCOMPARE(h.CursorLine(), 9);
    }

    // Lint findings mark their lines, with the text as tooltip.
    void findingsMarkTheirLines() {
        QTemporaryDir dir;
        SourceBench h(dir);
        h.TypeAt(5, QStringLiteral("x"));
        h.Source().Flush();
        bool marked = false;
        for (const QTextEdit::ExtraSelection& s : h.Source().extraSelections())
            marked = marked || s.cursor.blockNumber() == 4;
        QVERIFY(marked);
        QVERIFY(!h.dialog->Tools().Findings().findings.empty());
    }

private:
    QString startDir = QDir::currentPath();
};

QTEST_MAIN(TestSource)
#include "tst_source.moc"
