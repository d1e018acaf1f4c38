// Crash recovery as a person meets it: an editor process is killed after an edit, and the next
// start offers the copy, naming the layout and the time, and brings the edit back exactly. Also
// the caption's unsaved-change mark, the shortcuts and the recent files.
#include "MainWindowFixture.h"
#include "app/RecoveryStore.h"
#include "document/ExtensionBlock.h"
#include "document/LayoutFile.h"
#include "ui/main/RecoveryKeeper.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QThread>

using namespace tobirae;
using namespace tobirae::test;

namespace {

const char* kChildDir = "TOBIRAE_RECOVERY_CHILD_DIR";

QByteArray layoutBytes(const MainWindow& w) {
    return serializeLayout(layoutFromDocument(w.document()));
}

// A copy as a dead editor leaves it.
void leaveCopy(const QString& folder, const QByteArray& layout, const QString& layoutPath) {
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/edit-1-dead.recovery"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(encodeRecoveryCopy(layout, layoutPath, QDateTime::currentDateTime()));
}

QStringList copiesIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.recovery")}, QDir::Files);
}

} // namespace

class RecoveryTests : public QObject {
    Q_OBJECT
private slots:
    void childEditor();
    void killedEditorIsRecoveredExactly();
    void layoutReadAfterARecoveredOneIsNotModified();
    void declinedCopyIsGoneAndRunningEditorsKeepTheirs();
    void restoredCopyIsReadAsItsLayoutFile();
    void damagedAndUnwritableCopiesAreNamed();
    void captionFollowsTheSavedState();
    void shortcutsAreShownInTheMenus();
    void recentFilesAreRememberedAcrossStarts();
};

// Runs only inside the child process: reads the layout, edits it, waits for the copy, tells the
// parent what the layout now is, and waits to be killed.
void RecoveryTests::childEditor() {
    const QString dir = qEnvironmentVariable(kChildDir);
    if (dir.isEmpty())
        QSKIP("runs as the child of killedEditorIsRecoveredExactly");
    ScriptedPrompts prompts;
    auto state =
        startEditor(dir + QStringLiteral("/Tobirae.ini"), std::chrono::year{2005} / 1 / 15);
    state->recoveryFolder = dir + QStringLiteral("/state/Tobirae");
    MainWindow w(std::move(*state), prompts);
    w.show();
    QVERIFY(w.files().openLayout(dir + QStringLiteral("/a.CLF")));
    QVERIFY(w.items().moveItemToEdge(0, Edge::Right));
    QVERIFY(w.items().moveItemToEdge(1, Edge::Bottom));
    QTRY_VERIFY_WITH_TIMEOUT(!copiesIn(dir + QStringLiteral("/state/Tobirae")).isEmpty(), 10000);
    w.recovery().flush();
    // The settings file is written by itself when a setting changes (here the recent files).
    QTRY_VERIFY_WITH_TIMEOUT(w.settingsKeeper().writesDone() > 0, 10000);
    QFile expected(dir + QStringLiteral("/expected.part"));
    QVERIFY(expected.open(QIODevice::WriteOnly));
    expected.write(layoutBytes(w));
    expected.close();
    QVERIFY(QFile::rename(expected.fileName(), dir + QStringLiteral("/expected")));
    QTest::qWait(60000);
}

void RecoveryTests::killedEditorIsRecoveredExactly() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(
        f.path("a.CLF"), {{CategoryYear, 0, 10, 10, 12}, {CategoryMonthDisplay, 0, 300, 400, 12}}));
    const QByteArray onDisk = fileBytes(f.path("a.CLF"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildDir), f.dir.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("childEditor")});
    QVERIFY(child.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        QFile::exists(f.path("expected")) || child.state() == QProcess::NotRunning, 60000);
    QVERIFY2(QFile::exists(f.path("expected")), child.readAllStandardOutput().constData());
    child.kill();
    QVERIFY(child.waitForFinished());
    const QByteArray edited = fileBytes(f.path("expected"));
    QVERIFY(edited != onDisk);
    // The killed editor's settings are there: it never reached a clean exit.
    QCOMPARE(loadAppSettings(f.settingsPath()).RecentFiles,
             QStringList{QFileInfo(f.path("a.CLF")).absoluteFilePath()});
    QCOMPARE(fileBytes(f.path("a.CLF")), onDisk); // the layout itself was never touched
    QCOMPARE(copiesIn(f.recoveryFolder()).size(), 1);

    MainWindow& w = f.start();
    f.prompts.answers = {PromptAnswer::Yes};
    QVERIFY(w.files().offerRecovery());
    QCOMPARE(f.prompts.questions.size(), std::size_t{1});
    const QString question = f.prompts.questions[0].text;
    QVERIFY2(question.contains(QStringLiteral("「a.CLF」")), qPrintable(question));
    QVERIFY2(question.contains(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"))),
             qPrintable(question));
    QCOMPARE(layoutBytes(w), edited);
    QCOMPARE(w.document().path(), QFileInfo(f.path("a.CLF")).absoluteFilePath());
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - a.CLF*"));
    // The copy now belongs to this editor; 上書き保存 writes the layout's own file and ends it.
    QCOMPARE(copiesIn(f.recoveryFolder()).size(), 1);
    w.menus().overwriteSave->trigger();
    QCOMPARE(fileBytes(f.path("a.CLF")), edited);
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - a.CLF"));
    w.recovery().flush();
    QVERIFY(copiesIn(f.recoveryFolder()).isEmpty());
}

// A layout read after a recovered one is as its file says: not modified.
void RecoveryTests::layoutReadAfterARecoveredOneIsNotModified() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryYear, 0, 10, 10, 12}}));
    QVERIFY(writeTestLayout(f.path("b.CLF"), {{CategoryMonthDisplay, 0, 10, 10, 12}}));
    MainWindow& first = f.start();
    QVERIFY(first.files().openLayout(f.path("a.CLF")));
    QVERIFY(first.items().moveItemToEdge(0, Edge::Right));
    first.recovery().flush();
    QCOMPARE(copiesIn(f.recoveryFolder()).size(), 1);
    // A copy left behind, as a crashed editor leaves it.
    MainWindowFixture later;
    QVERIFY(QDir().mkpath(later.recoveryFolder()));
    QVERIFY(QFile::copy(f.recoveryFolder() + QStringLiteral("/") + copiesIn(f.recoveryFolder())[0],
                        later.recoveryFolder() + QStringLiteral("/edit-left.recovery")));
    MainWindow& w = later.start();
    later.prompts.answers = {PromptAnswer::Yes};
    QVERIFY(w.files().offerRecovery());
    QVERIFY(w.editor().isModified());
    // Replacing the recovered edit asks first; throwing it away is the user's answer.
    later.prompts.answers = {PromptAnswer::No};
    QVERIFY(w.files().openLayout(f.path("b.CLF")));
    QVERIFY(!w.editor().isModified());
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - b.CLF"));
}

void RecoveryTests::restoredCopyIsReadAsItsLayoutFile() {
    using namespace std::chrono;
    // A company calendar: own days, a linked file, a zone, a Monday week and a newer program's
    // values.
    std::unique_ptr<LayoutDocument> edited = makeTestDocument(
        {{CategoryMonthFamily, VariantBox5, 10, 10, 12}, {CategoryYear, 0, 10, 400, 12}});
    edited->item(0).Ext.weekStart = WeekStart::Monday;
    edited->extension.ownDays.days = {
        {2027y / 12 / 29, 2027y / 12 / 31, false, QStringLiteral("年末休業"), OwnDayKind::DayOff}};
    edited->extension.ownDays.files = {QStringLiteral("company.ics")};
    edited->extension.ownDays.timeZone = QStringLiteral("Asia/Tokyo");
    edited->extension.sections.insert(QStringLiteral("Later"), 7);
    const QByteArray bytes = serializeLayout(layoutFromDocument(*edited));
    {
        MainWindowFixture f;
        leaveCopy(f.recoveryFolder(), bytes, f.path("c.CLF"));
        MainWindow& w = f.start();
        f.prompts.answers = {PromptAnswer::Yes, PromptAnswer::No};
        QVERIFY(w.files().offerRecovery());
        QCOMPARE(w.document().extension, edited->extension);
        QCOMPARE(w.document().item(0).Ext, edited->item(0).Ext);
        QVERIFY(f.prompts.messages.isEmpty());
        // Record for record and key for key what opening the same bytes as a file gives.
        const QByteArray restored = layoutBytes(w);
        QFile same(f.path("same.CLF"));
        QVERIFY(same.open(QIODevice::WriteOnly));
        same.write(bytes);
        same.close();
        QVERIFY(w.files().openLayout(same.fileName()));
        QCOMPARE(restored, layoutBytes(w));
    }
    // A damaged block is named, and saving over the file asks first, as after opening it.
    QByteArray damaged = bytes;
    const qsizetype block = damaged.indexOf("\x89TOBIRAE");
    QVERIFY(block > 0);
    damaged[block + kExtensionHeaderSize] = char(damaged[block + kExtensionHeaderSize] ^ 0x55);
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("c.CLF"), {{CategoryYear, 0, 10, 10, 12}}));
    const QByteArray onDisk = fileBytes(f.path("c.CLF"));
    leaveCopy(f.recoveryFolder(), damaged, f.path("c.CLF"));
    MainWindow& w = f.start();
    f.prompts.answers = {PromptAnswer::Yes, PromptAnswer::No};
    QVERIFY(w.files().offerRecovery());
    QCOMPARE(f.prompts.messages.size(), 1);
    QVERIFY2(f.prompts.messages[0].contains(QStringLiteral("拡張部分が壊れています")),
             qPrintable(f.prompts.messages[0]));
    w.menus().overwriteSave->trigger();
    QCOMPARE(f.prompts.questions.size(), std::size_t{2});
    QVERIFY(f.prompts.questions[1].text.contains(QStringLiteral("上書きしますか？")));
    QCOMPARE(fileBytes(f.path("c.CLF")), onDisk);
}

void RecoveryTests::damagedAndUnwritableCopiesAreNamed() {
    {
        // Cut within its header lines: named and offered for deletion, kept on No.
        MainWindowFixture f;
        QDir().mkpath(f.recoveryFolder());
        QFile cut(f.recoveryFolder() + QStringLiteral("/edit-cut.recovery"));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write("Tobirae recovery copy 1\n/a.CLF");
        cut.close();
        MainWindow& w = f.start();
        f.prompts.answers = {PromptAnswer::No};
        QVERIFY(!w.files().offerRecovery());
        QCOMPARE(f.prompts.questions.size(), std::size_t{1});
        QVERIFY(f.prompts.questions[0].text.contains(QStringLiteral("edit-cut.recovery")));
        QVERIFY(f.prompts.questions[0].text.contains(QStringLiteral("削除しますか？")));
        QVERIFY(cut.exists());
        f.prompts.answers = {PromptAnswer::Yes};
        QVERIFY(!w.files().offerRecovery());
        QVERIFY(!cut.exists());
    }
    // A state folder that cannot be made: said once, in a message and in the status bar.
    MainWindowFixture f;
    QVERIFY(QFile(f.path("state")).open(QIODevice::WriteOnly));
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryYear, 0, 10, 10, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    for (Edge edge : {Edge::Right, Edge::Bottom}) {
        QVERIFY(w.items().moveItemToEdge(0, edge));
        w.recovery().flush();
        QCoreApplication::processEvents();
    }
    QCOMPARE(f.prompts.messages.size(), 1);
    QVERIFY2(f.prompts.messages[0].startsWith(QStringLiteral("復元用のコピーを保存できません。")),
             qPrintable(f.prompts.messages[0]));
    QVERIFY(w.statusBar()->currentMessage().startsWith(QStringLiteral("復元用のコピー")));
}

void RecoveryTests::declinedCopyIsGoneAndRunningEditorsKeepTheirs() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryYear, 0, 10, 10, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    QVERIFY(w.items().moveItemToEdge(0, Edge::Right));
    w.recovery().flush();
    QCOMPARE(copiesIn(f.recoveryFolder()).size(), 1);

    // A second editor started meanwhile is not offered the first one's copy.
    RecoveryStore secondStore(f.recoveryFolder());
    QVERIFY(secondStore.orphanedCopies().empty());

    // A copy left behind (its lock gone with its editor) is offered; declining removes it.
    const QString copy = f.recoveryFolder() + QStringLiteral("/") + copiesIn(f.recoveryFolder())[0];
    MainWindowFixture later;
    QVERIFY(QDir().mkpath(later.recoveryFolder()));
    QVERIFY(QFile::copy(copy, later.recoveryFolder() + QStringLiteral("/edit-left.recovery")));
    MainWindow& next = later.start();
    later.prompts.answers = {PromptAnswer::No};
    QVERIFY(!next.files().offerRecovery());
    QCOMPARE(later.prompts.questions.size(), std::size_t{1});
    QVERIFY(later.prompts.questions[0].text.contains(QStringLiteral("「a.CLF」")));
    QCOMPARE(shownCaption(next), QStringLiteral("Tobirae"));
    QVERIFY(copiesIn(later.recoveryFolder()).isEmpty());

    // Undoing back to the saved state needs no copy.
    w.menus().undo->trigger();
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - a.CLF"));
    w.recovery().flush();
    QVERIFY(copiesIn(f.recoveryFolder()).isEmpty());
}

void RecoveryTests::captionFollowsTheSavedState() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryYear, 0, 10, 10, 12}}));
    MainWindow& w = f.start();
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae"));
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - a.CLF"));
    QVERIFY(w.items().moveItemToEdge(0, Edge::Right));
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - a.CLF*"));
    w.menus().undo->trigger();
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - a.CLF"));
    w.menus().redo->trigger();
    w.menus().overwriteSave->trigger();
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - a.CLF"));
    w.menus().undo->trigger();
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - a.CLF*"));
    // Esc asks, naming the layout, with the answer that loses nothing as the default.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    f.prompts.answers = {PromptAnswer::Cancel};
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(w.isVisible());
    QCOMPARE(f.prompts.questions.back().buttons, PromptButtons::SaveDiscardCancel);
    QVERIFY(f.prompts.questions.back().text.contains(QStringLiteral("「a.CLF」")));
}

void RecoveryTests::shortcutsAreShownInTheMenus() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    const MainMenus& m = w.menus();
    const struct {
        QAction* action;
        QKeySequence keys;
    } expected[] = {
        {m.newData, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {m.layoutRead, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {m.overwriteSave, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {m.layoutSave, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {m.print, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {m.exit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    QList<QKeySequence> all;
    for (QAction* action : w.findChildren<QAction*>())
        all += action->shortcuts();
    for (const auto& e : expected) {
        QCOMPARE(e.action->shortcut(), e.keys);
        QCOMPARE(all.count(e.keys), 1); // no other entry takes the same keys
    }
    // Ctrl+O asks nothing about a layout without changes and opens the file dialog at once.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    QVERIFY(f.prompts.questions.empty());
    QCOMPARE(f.prompts.fileDialogs.size(), std::size_t{1});
}

void RecoveryTests::recentFilesAreRememberedAcrossStarts() {
    MainWindowFixture f;
    for (int i = 0; i < 10; ++i)
        QVERIFY(writeTestLayout(f.path(QStringLiteral("l%1.CLF").arg(i)),
                                {{CategoryYear, 0, 10, 10, 12}}));
    {
        MainWindow& w = f.start();
        QVERIFY(!w.menus().recentFiles->isEnabled());
        for (int i = 0; i < 10; ++i)
            QVERIFY(w.files().openLayout(f.path(QStringLiteral("l%1.CLF").arg(i))));
        QVERIFY(w.files().openLayout(f.path("l3.CLF")));
        const QList<QAction*> entries = w.menus().recentFiles->actions();
        QCOMPARE(entries.size(), 8);
        // The folder is shown with the name.
        const QString folder = QDir::toNativeSeparators(QFileInfo(f.path("l3.CLF")).absolutePath());
        QCOMPARE(entries[0]->text(), QStringLiteral("&1 l3.CLF  (%1)").arg(folder));
        QCOMPARE(entries[1]->text(), QStringLiteral("&2 l9.CLF  (%1)").arg(folder));

        // Saving puts the layout first, by レイアウト保存 and by 上書き保存.
        f.prompts.files.push_back(f.path("saved.CLF"));
        w.menus().layoutSave->trigger();
        QCOMPARE(w.settings().RecentFiles.first(), QFileInfo(f.path("saved.CLF")).absoluteFilePath());
        QVERIFY(w.files().openLayout(f.path("l3.CLF")));
        w.settings().RecentFiles.move(0, 3); // as if another layout had been opened since
        w.menus().overwriteSave->trigger();
        QCOMPARE(w.settings().RecentFiles.first(), QFileInfo(f.path("l3.CLF")).absoluteFilePath());
        QCOMPARE(w.menus().recentFiles->actions()[0]->text(),
                 QStringLiteral("&1 l3.CLF  (%1)").arg(folder));
        QCOMPARE(w.settings().RecentFiles.count(QFileInfo(f.path("l3.CLF")).absoluteFilePath()), 1);
        f.prompts.answers = {PromptAnswer::Yes};
        QVERIFY(w.close());
    }
    const QString written = readSettingsFile(f.settingsPath());
    QVERIFY2(written.contains(QStringLiteral("[最近使ったファイル]")), qPrintable(written));
    MainWindow& again = f.start();
    const QList<QAction*> entries = again.menus().recentFiles->actions();
    QCOMPARE(entries.size(), 8);
    QVERIFY(entries[7]->text().startsWith(QStringLiteral("&8 l4.CLF  (")));
    entries[2]->trigger();
    QCOMPARE(again.document().path(), QFileInfo(f.path("l9.CLF")).absoluteFilePath());
}

QTEST_MAIN(RecoveryTests)
#include "tst_recovery.moc"
