// The action script reader: every line is checked, and what cannot be read names its line.
#include <gtest/gtest.h>

#include "batch/actions.h"

using namespace ormevak::batch;

TEST(ActionScript, readsEveryActionOfTheScript) {
    auto actions = parseActions("# plan\n\nselect 3\nwheel 3 -1\ncombine 0 0 4300.5 -100 cancel\n"
                                "offset 2 up\ndepth 1 0.65\npedestal 2  0.5 m\ndia 1\r\ndesign\n");
    ASSERT_EQ(actions.size(), 8u);
    EXPECT_EQ(actions[0].kind, ActionKind::Select);
    EXPECT_EQ(actions[0].lineNo, 3);
    EXPECT_EQ(actions[1].direction, -1);
    EXPECT_DOUBLE_EQ(actions[2].x2, 4300.5);
    EXPECT_FALSE(actions[2].ok);
    EXPECT_EQ(actions[3].key, OffsetKeyName::Up);
    EXPECT_EQ(actions[4].text, "0.65");
    EXPECT_EQ(actions[5].text, "0.5 m"); // typed text is passed on as it stands
    EXPECT_EQ(actions[6].kind, ActionKind::Dia);
}

TEST(ActionScript, linesThatCannotBeReadNameTheirLine) {
    for (const char* bad :
         {"select", "select 0", "select -1", "wheel 1 2", "frobnicate 1", "combine 1 2 3",
          "combine 0 0 1 1 maybe", "offset 1 sideways", "design now", "toggle-group x"}) {
        try {
            parseActions(std::string("refresh\n") + bad + "\n");
            ADD_FAILURE() << bad;
        } catch (const ScriptError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(std::string("line 2: ") + bad + ": ", 0), 0u)
                << e.what();
        }
    }
}

// The resized and combined rows are named by their marks; a bare number is a square row.
TEST(ActionScript, scheduleRowsByMark) {
    auto actions = parseActions("depth R1 0.6\npedestal C2 0.5\ndia R3\ndepth 2 0.7\n");
    ASSERT_EQ(actions.size(), 4u);
    EXPECT_EQ(actions[0].rowKind, 'R');
    EXPECT_EQ(actions[0].index, 1);
    EXPECT_EQ(actions[0].text, "0.6");
    EXPECT_EQ(actions[1].rowKind, 'C');
    EXPECT_EQ(actions[1].index, 2);
    EXPECT_EQ(actions[1].text, "0.5");
    EXPECT_EQ(actions[2].kind, ActionKind::Dia);
    EXPECT_EQ(actions[2].rowKind, 'R');
    EXPECT_EQ(actions[2].index, 3);
    EXPECT_EQ(actions[3].rowKind, 0);
    for (const char* bad : {"depth R 0.6", "depth R0 0.6", "pedestal X1 0.5", "dia C", "dia Rx"}) {
        try {
            parseActions(std::string(bad) + "\n");
            ADD_FAILURE() << bad;
        } catch (const ScriptError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(std::string("line 1: ") + bad + ": ", 0), 0u)
                << e.what();
        }
    }
}

TEST(ActionScript, otherWhiteSpaceIsABlankLine) {
    EXPECT_TRUE(parseActions("\v\n\f \n").empty());
}

TEST(ActionScript, aByteOrderMarkAtTheStartIsSkipped) {
    auto actions = parseActions("\xEF\xBB\xBFselect 2\nrefresh\n");
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].kind, ActionKind::Select);
    EXPECT_EQ(actions[0].line, "select 2");
    // Only at the very start: elsewhere it is part of a line that cannot be read.
    EXPECT_THROW(parseActions("refresh\n\xEF\xBB\xBFselect 2\n"), ScriptError);
}

TEST(ActionScript, undoAndRedoTakeNoArguments) {
    auto actions = parseActions("wheel 2 +1\nundo\nredo\n");
    ASSERT_EQ(actions.size(), 3u);
    EXPECT_EQ(actions[1].kind, ActionKind::Undo);
    EXPECT_EQ(actions[2].kind, ActionKind::Redo);
    EXPECT_THROW(parseActions("undo 2\n"), ScriptError);
    EXPECT_THROW(parseActions("redo all\n"), ScriptError);
}
