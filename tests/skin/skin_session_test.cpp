#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "skin/skin_edit.h"
#include "skin/skin_session.h"
#include "support/test_skin.h"

namespace pindrel {
namespace {

std::string TextOf(const SkinSession& session) {
    return {session.Text().begin(), session.Text().end()};
}

// The session holds the engine's results as they come, parse and all; undo and redo give the
// bytes back exactly, one step per edit or gesture.
TEST(SkinSession, EditsComeParsedAndUndoByTheStep) {
    const std::string original = "[Label]\r\nfields=name\r\n";
    SkinSession session;
    ASSERT_TRUE(session.Take({ReadFileStatus::Ok, {original.begin(), original.end()}, 0}));
    const auto set = [&](std::string_view key, std::string_view value) {
        EditResult r = SetKey(session.Parsed(), 0, key, value);
        EXPECT_TRUE(r.ok) << r.error;
        return std::move(r.file);
    };

    SkinIniFile typed = set("type", "8");
    const uint8_t* held = typed.Bytes().data();
    session.Edit(std::move(typed));
    EXPECT_EQ(session.Parsed().Bytes().data(), held); // not parsed again
    const std::string afterType = "[Label]\r\nfields=name\r\ntype=8\r\n";
    EXPECT_EQ(TextOf(session), afterType);
    EXPECT_TRUE(session.Modified());

    session.BeginStep();
    session.Amend(set("hor_align", "1"));
    session.Amend(set("hor_align", "2"));
    session.EndStep();
    session.Edit(set("type", "8")); // the same text: no step
    const std::string afterAlign = "[Label]\r\nfields=name\r\ntype=8\r\nhor_align=2\r\n";
    EXPECT_EQ(TextOf(session), afterAlign);

    test::TestSkin skin;
    session.LoadInto(skin, false);
    ASSERT_EQ(skin.labels.size(), 1u);
    EXPECT_EQ(skin.labels[0].horAlign, 2);

    session.Undo();
    EXPECT_EQ(TextOf(session), afterType);
    EXPECT_EQ(session.Parsed().FindValue(0, "hor_align"), ""); // the parse follows the text
    session.Undo();
    EXPECT_EQ(TextOf(session), original);
    EXPECT_FALSE(session.Modified());
    EXPECT_FALSE(session.CanUndo());
    session.Redo();
    session.Redo();
    EXPECT_EQ(TextOf(session), afterAlign);
    EXPECT_FALSE(session.CanRedo());
    session.MarkSaved();
    EXPECT_FALSE(session.Modified());
}

} // namespace
} // namespace pindrel
