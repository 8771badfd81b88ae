#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "app/mockup_import_dialog.h"
#include "app/mockup_import_tool.h"
#include "app/skin_editor.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "dialog_harness.h"

using namespace pindrel;
using namespace pindrel::test;

namespace {

// A copy of a fixture written by GIMP: background, photo, label, images and a button.
QString CopyFixture(const QTemporaryDir& dir, const QString& name) {
    const QString to = dir.filePath(name);
    QFile::copy(QStringLiteral(PINDREL_MOCKUP_FIXTURES "/") + name, to);
    return to;
}

QStringList Files(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files, QDir::Name);
}

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.push_back(list->item(i)->text());
    return items;
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void reviewsBeforeWritingThenOpensTheNewSkin();
    void replacesFilesOnlyWhenTheAuthorSays();
    void addsAnOrientationAsOneUndoStep();
    void refusedMockupsSayWhy();
};

void TestImport::reviewsBeforeWritingThenOpensTheNewSkin() {
    Harness h;
    QTemporaryDir dir;
    h.chooser->mockupAnswer = CopyFixture(dir, "gimp.psd");
    QVERIFY(h.dialog->Strip()->importMockup->isEnabled());
    QVERIFY(!h.dialog->Strip()->importMockup->toolTip().isEmpty());
    h.dialog->Strip()->importMockup->click();
    MockupImportDialog* review = h.dialog->Tools().Import().Review();
    QVERIFY(review);
    QVERIFY(review->isVisible());
    QVERIFY(!review->addOrientation->isEnabled()); // no skin is open
    QCOMPARE(review->elements->count(), 9);
    QCOMPARE(review->elements->item(0)->text(),
             QStringLiteral("background background.bmp 0,0 240x320 all"));
    const QList<QTreeWidgetItem*> hidden =
        review->layers->findItems(QStringLiteral("hidden"), Qt::MatchExactly, 0);
    QCOMPARE(hidden.size(), 1);
    QCOMPARE(hidden[0]->text(1), QStringLiteral("hidden: left out"));
    QVERIFY(Items(review->warnings).join("\n").contains("\"shade\": blend mode"));
    QCOMPARE(Files(dir), QStringList{"gimp.psd"}); // nothing written yet

    h.chooser->newSkinAnswer = dir.filePath("phone.ini");
    review->importButton->click();
    QCOMPARE(h.chooser->suggestions.back(), dir.filePath("gimp.ini"));
    QVERIFY(Files(dir).contains("phone.ini"));
    QVERIFY(Files(dir).contains("button_answer_down.bmp"));
    QCOMPARE(h.dialog->SkinPath(), dir.filePath("phone.ini"));
    // The background layer's colour, at the top-left corner of the preview.
    QCOMPARE(h.Screen().pixel(2, 2), qRgb(20, 40, 90));
    QVERIFY(h.sink->messages.isEmpty());
}

void TestImport::replacesFilesOnlyWhenTheAuthorSays() {
    Harness h;
    QTemporaryDir dir;
    h.chooser->mockupAnswer = CopyFixture(dir, "krita.ora");
    QFile logo(dir.filePath("logo.bmp"));
    QVERIFY(logo.open(QIODevice::WriteOnly));
    logo.write("mine");
    logo.close();
    h.chooser->newSkinAnswer = dir.filePath("skin.ini");
    for (const bool replace : {false, true}) {
        h.sink->confirm = replace;
        h.dialog->Strip()->importMockup->click();
        h.dialog->Tools().Import().Review()->importButton->click();
        QVERIFY(h.sink->questions.back().contains("logo.bmp"));
        QCOMPARE(Files(dir).contains("skin.ini"), replace);
        QFile again(dir.filePath("logo.bmp"));
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll() == "mine", !replace);
    }
}

void TestImport::addsAnOrientationAsOneUndoStep() {
    Harness h;
    QTemporaryDir dir;
    h.chooser->mockupAnswer = CopyFixture(dir, "gimp.psd");
    h.chooser->newSkinAnswer = dir.filePath("skin.ini");
    h.dialog->Strip()->importMockup->click();
    h.dialog->Tools().Import().Review()->importButton->click();
    const QByteArray saved = [&] {
        QFile f(dir.filePath("skin.ini"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QVERIFY(!saved.isEmpty());

    h.chooser->mockupAnswer = CopyFixture(dir, "krita.psd");
    h.dialog->Strip()->importMockup->click();
    MockupImportDialog* review = h.dialog->Tools().Import().Review();
    QVERIFY(review->addOrientation->isEnabled());
    review->addOrientation->setChecked(true);
    review->orientation->setCurrentIndex(Square);
    review->importButton->click();

    SkinSession& session = h.dialog->Session();
    QVERIFY(session.Modified());
    QVERIFY(session.CanUndo());
    const QByteArray text(reinterpret_cast<const char*>(session.Text().data()),
                          static_cast<qsizetype>(session.Text().size()));
    QVERIFY(h.sink->messages.isEmpty());
    // The pictures stand where the square screen's carry-over already placed them; the label,
    // which carries nothing over, gets square keys; the background is another orientation's
    // picture, so it is new.
    const qsizetype label = saved.indexOf("[Label]");
    QCOMPARE(text.left(label), saved.left(label));
    QVERIFY(text.contains("posQ=20,160\r\nsizeQ=200,32\r\n"));
    QVERIFY(text.contains("file=background_2.bmp\r\nposQ=0,0\r\nsizeQ=240,320\r\n"));
    QCOMPARE(h.dialog->orientation, int32_t{Square});
    // Only the background is new: one picture for it, nothing else written, the file as it was.
    QVERIFY(Files(dir).contains("background_2.bmp"));
    QFile f(dir.filePath("skin.ini"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), saved);

    h.dialog->Tools().Editor().Undo();
    QVERIFY(!session.Modified());
}

void TestImport::refusedMockupsSayWhy() {
    Harness h;
    QTemporaryDir dir;
    QFile bad(dir.filePath("bad.psd"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("8BPS\0\2");
    bad.close();
    h.chooser->mockupAnswer = bad.fileName();
    h.dialog->Strip()->importMockup->click();
    QVERIFY(!h.dialog->Tools().Import().Review());
    QCOMPARE(h.sink->messages.size(), 1);
    QVERIFY(h.sink->messages[0].startsWith("Cannot import"));
    QCOMPARE(Files(dir), QStringList{"bad.psd"});
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
