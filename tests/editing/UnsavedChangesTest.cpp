// When replacing or closing the layout asks first, what each answer does, and what the unsaved
// state follows.
#include "ui/editing/UnsavedChanges.h"

#include "ui/editing/EditorDocument.h"

#include <QDir>
#include <gtest/gtest.h>
#include <vector>

using namespace tobirae;

namespace {

// Answers in advance, records the questions and whether a save or a discard happened.
struct Script {
    std::vector<KeepAnswer> answers;
    bool saveWorks = true;
    std::vector<KeepQuestion> asked;
    int saves = 0;
    int discards = 0;

    KeepHooks hooks() {
        KeepHooks h;
        h.ask = [this](const KeepQuestion& q) {
            asked.push_back(q);
            const KeepAnswer a = answers.at(asked.size() - 1);
            return a;
        };
        h.save = [this] {
            ++saves;
            return saveWorks;
        };
        h.discarded = [this] { ++discards; };
        return h;
    }
};

TEST(AskBeforeReplacing, OnlyWhenSomethingWouldBeLostAndEachAnswerDoesWhatItSays) {
    const struct {
        bool modified;
        ReplacingCommand command;
        std::vector<KeepAnswer> answers;
        bool saveWorks;
        bool goesOn;
        int questions, saves, discards;
    } cases[] = {
        // Nothing to lose: a replacing command goes on unasked; quitting asks the confirmation.
        {false, ReplacingCommand::Replace, {}, true, true, 0, 0, 0},
        {false, ReplacingCommand::Quit, {KeepAnswer::Yes}, true, true, 1, 0, 0},
        {false, ReplacingCommand::Quit, {KeepAnswer::No}, true, false, 1, 0, 0},
        // Unsaved changes: 保存 that works goes on, one that fails or is cancelled stops.
        {true, ReplacingCommand::Replace, {KeepAnswer::Yes}, true, true, 1, 1, 0},
        {true, ReplacingCommand::Replace, {KeepAnswer::Yes}, false, false, 1, 1, 0},
        {true, ReplacingCommand::Quit, {KeepAnswer::Yes}, false, false, 1, 1, 0},
        // 破棄 goes on without saving; キャンセル stops and touches nothing.
        {true, ReplacingCommand::Replace, {KeepAnswer::No}, true, true, 1, 0, 1},
        {true, ReplacingCommand::Quit, {KeepAnswer::No}, true, true, 1, 0, 1},
        {true, ReplacingCommand::Replace, {KeepAnswer::Cancel}, true, false, 1, 0, 0},
        {true, ReplacingCommand::Quit, {KeepAnswer::Cancel}, true, false, 1, 0, 0},
    };
    for (const auto& c : cases) {
        Script script;
        script.answers = c.answers;
        script.saveWorks = c.saveWorks;
        const bool goesOn =
            mayReplaceLayout(c.modified, QStringLiteral("cal.CLF"), c.command, script.hooks());
        const std::string label = std::to_string(&c - cases);
        EXPECT_EQ(goesOn, c.goesOn) << label;
        EXPECT_EQ(static_cast<int>(script.asked.size()), c.questions) << label;
        EXPECT_EQ(script.saves, c.saves) << label;
        EXPECT_EQ(script.discards, c.discards) << label;
    }
}

TEST(AskBeforeReplacing, QuestionsNameTheLayoutAndOfferSaveDiscardCancel) {
    const KeepQuestion replace =
        keepQuestion(true, QStringLiteral("cal.CLF"), ReplacingCommand::Replace);
    EXPECT_EQ(replace.buttons, KeepButtons::SaveDiscardCancel);
    EXPECT_EQ(replace.text,
              QStringLiteral("「cal.CLF」は変更されています。\r\n編集中のデータを保存しますか？"));
    const KeepQuestion quit = keepQuestion(true, QStringLiteral("無題"), ReplacingCommand::Quit);
    EXPECT_EQ(quit.buttons, KeepButtons::SaveDiscardCancel);
    EXPECT_TRUE(quit.text.startsWith(QStringLiteral("終了します。\r\n「無題」")));
    const KeepQuestion plain = keepQuestion(false, QString(), ReplacingCommand::Quit);
    EXPECT_EQ(plain.buttons, KeepButtons::YesNo);
    EXPECT_EQ(plain.text, QStringLiteral("終了します。\r\nよろしいですか？"));
}

// The unsaved state follows the history's clean state; a layout without a file counts as
// unsaved as soon as it has items, and a recovered one until it is saved.
TEST(UnsavedState, FollowsTheCleanStateOfTheHistory) {
    auto document = std::make_unique<LayoutDocument>();
    document->setPath(QStringLiteral("/tmp/cal.CLF"));
    EditorDocument editor(std::move(document));
    int notices = 0;
    QObject::connect(&editor, &EditorDocument::modifiedChanged, [&] { ++notices; });
    EXPECT_FALSE(editor.isModified());
    const int slot = *editor.addItem(newItemRecord(CategoryYear, 0, editor.document().page));
    EXPECT_TRUE(editor.isModified());
    EXPECT_GT(notices, 0);
    editor.markSaved(QStringLiteral("/tmp/cal.CLF"));
    EXPECT_FALSE(editor.isModified());
    ASSERT_TRUE(editor.dragItem(slot, {40, 40}));
    EXPECT_TRUE(editor.isModified());
    editor.undoStack().undo();
    EXPECT_FALSE(editor.isModified()); // back at the saved state
    editor.undoStack().undo();
    EXPECT_TRUE(editor.isModified()); // before the saved state
    editor.undoStack().redo();
    editor.markModified();
    EXPECT_TRUE(editor.isModified());
    editor.markSaved(QStringLiteral("/tmp/cal.CLF"));
    EXPECT_FALSE(editor.isModified());

    editor.newDocument();
    EXPECT_FALSE(editor.isModified());
    editor.addItem(newItemRecord(CategoryYear, 0, editor.document().page));
    editor.undoStack().setClean();
    EXPECT_TRUE(editor.isModified()); // no file to hold the item yet
    EXPECT_EQ(layoutLabel(editor.document()), QStringLiteral("無題"));
}

// A save names the file the layout now lives in; the notice of settings that could not be read
// goes only when that same file was written over.
TEST(UnsavedState, ASaveRecordsItsFile) {
    auto document = std::make_unique<LayoutDocument>();
    document->setPath(QDir::current().absoluteFilePath(QStringLiteral("old.CLF")));
    document->extensionNotice = QStringLiteral("拡張ブロックを読めませんでした。");
    EditorDocument editor(std::move(document));
    editor.addItem(newItemRecord(CategoryYear, 0, editor.document().page));
    int notices = 0;
    QObject::connect(&editor, &EditorDocument::modifiedChanged, [&] { ++notices; });

    editor.markSaved(QStringLiteral("copy.CLF"));
    EXPECT_EQ(editor.document().path(),
              QDir::current().absoluteFilePath(QStringLiteral("copy.CLF")));
    EXPECT_FALSE(editor.isModified());
    EXPECT_GT(notices, 0);
    EXPECT_FALSE(editor.document().extensionNotice.isEmpty()) << "old.CLF still holds them";
    EXPECT_EQ(layoutLabel(editor.document()), QStringLiteral("copy.CLF"));

    editor.markSaved(editor.document().path());
    EXPECT_TRUE(editor.document().extensionNotice.isEmpty());
}

} // namespace
