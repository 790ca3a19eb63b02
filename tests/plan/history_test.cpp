// The edit history: every kind of edit undone gives back the model before it and redone the
// model after it (the whole batch result compared), and a long mixed run of edits, undos and
// redos ends where a replay of the surviving edits alone ends.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "batch/actions.h"
#include "batch/apply.h"
#include "batch/result_json.h"
#include "batch/session.h"
#include "model/analysis_reader.h"
#include "model/soil_values.h"
#include "plan/history.h"
#include "sizing/pipeline.h"

namespace ormevak {
namespace {

using batch::Session;

void load(Session& s) {
    const std::string path = std::string(ORMEVAK_SOURCE_DIR) + "/examples/office-frame.ANL";
    ASSERT_FALSE(runInputPhase(s.project, path, s.prompts).has_value());
    applySoilValues(s.project, "1.5", "200");
    loadMainWindow(s.project, s.prompts);
}

void run(Session& s, const std::string& line) {
    for (const batch::Action& a : batch::parseActions(line)) {
        s.prompts.answer = a.ok;
        batch::applyAction(s, a);
    }
}

// The whole result as the batch tool writes it, without what is reported rather than modelled
// (messages, detail windows).
std::string modelJson(Session& s) {
    std::vector<std::string> messages, details;
    std::swap(messages, s.prompts.messages);
    std::swap(details, s.details);
    std::string json = batch::resultJson(s);
    std::swap(messages, s.prompts.messages);
    std::swap(details, s.details);
    return json;
}

// Where two results part, with a little of each around it.
std::string firstDifference(const std::string& a, const std::string& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    const size_t from = i > 80 ? i - 80 : 0;
    return "...\n  " + a.substr(from, 200) + "\nvs\n  " + b.substr(from, 200);
}

#define EXPECT_SAME_MODEL(a, b, what)                                                              \
    do {                                                                                           \
        const std::string left_ = (a), right_ = (b);                                               \
        EXPECT_TRUE(left_ == right_) << (what) << firstDifference(left_, right_);                  \
    } while (false)

struct EditCase {
    const char* setup; // lines run before, outside the test
    const char* edit;  // the one edit
    const char* name;  // what the Edit menu calls it
};

class EveryEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(EveryEdit, UndoGivesTheModelBeforeAndRedoTheModelAfter) {
    const EditCase& c = GetParam();
    Session s;
    load(s);
    run(s, c.setup);
    const size_t entries = s.history.undoCount();
    const std::string before = modelJson(s);
    run(s, c.edit);
    const std::string after = modelJson(s);
    ASSERT_NE(before, after) << c.edit << " changed nothing";
    ASSERT_EQ(s.history.undoCount(), entries + 1);
    EXPECT_EQ(s.history.undoName(), c.name);

    run(s, "undo");
    EXPECT_SAME_MODEL(modelJson(s), before, std::string("undo of ") + c.edit);
    EXPECT_EQ(s.history.redoName(), c.name);
    run(s, "redo");
    EXPECT_SAME_MODEL(modelJson(s), after, std::string("redo of ") + c.edit);
    run(s, "undo");
    run(s, "undo"); // and the edits before it
    run(s, "redo");
    run(s, "redo");
    EXPECT_EQ(modelJson(s), after);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EveryEdit,
    ::testing::Values(
        EditCase{"select 2", "wheel 2 +1", "resize of footing 2"},
        EditCase{"wheel 2 +1\nwheel 2 +1\nselect 2", "wheel 2 -1", "resize of footing 2"},
        EditCase{"", "toggle-group 1", "switching off group F1"},
        EditCase{"toggle-group 1", "toggle-group 1", "switching on group F1"},
        EditCase{"", "nudge-group 3", "nudge of group F3"},
        EditCase{"wheel 5 -1\nselect 5", "shift-delete 5", "return of footing 5 to its group"},
        EditCase{"disable-mode", "press 6", "disabling of footing 6"},
        EditCase{"disable-mode\npress 6", "press 6", "enabling of footing 6"},
        EditCase{"", "combine -100 -100 100 5100 ok", "Combine"},
        EditCase{"combine -100 -100 100 5100 ok\nselect 1", "shift-delete 1",
                 "deletion of combined footing C1"},
        EditCase{"combine -100 -100 100 5100 ok\nselect 1", "wheel 1 +1",
                 "resize of combined footing C1"},
        EditCase{"", "offset 9 right", "offset of footing 9"},
        EditCase{"offset 10 up\noffset 9 right", "offsets-reset", "reset of the column offsets"},
        EditCase{"", "design", "Design"}, EditCase{"design", "depth 2 0.9", "depth of row F2"},
        EditCase{"design", "pedestal 3 0.8", "pedestal of row F3"},
        EditCase{"design", "dia 4", "bar diameter of row F4"}));

TEST(EditHistory, ARefreshThatChangesTheSidesIsOneEdit) {
    Session s;
    load(s);
    // A required side out of step with the loads, as after a change of the soil values.
    s.project.footings[3].reqSide = 9.5f;
    const std::string before = modelJson(s);
    run(s, "refresh");
    const std::string after = modelJson(s);
    ASSERT_NE(after, before);
    EXPECT_EQ(s.history.undoName(), "Refresh");
    run(s, "refresh"); // a second Refresh changes nothing: no entry
    EXPECT_EQ(s.history.undoCount(), 1u);
    run(s, "undo");
    EXPECT_EQ(s.project.footings[3].reqSide, 9.5f);
    EXPECT_EQ(modelJson(s), before);
    run(s, "redo");
    EXPECT_EQ(modelJson(s), after);
}

TEST(EditHistory, ACancelledSkewQuestionAndARefusedCombineLeaveNoEntry) {
    Session s;
    load(s);
    run(s, "wheel 2 +1\noffset 9 right\noffset 10 up\noffset 10 up");
    const size_t entries = s.history.undoCount();
    const std::string name = s.history.undoName();
    const std::string before = modelJson(s);
    const size_t messages = s.prompts.messages.size();
    run(s, "combine 8300 4900 12700 5100 cancel"); // footings 9 and 10, 35 mm askew
    ASSERT_EQ(s.prompts.messages.size(), messages + 1);
    EXPECT_EQ(s.prompts.messages.back(), " Skew : -35 mm  [Cancel]");
    run(s, "combine 4000 -100 4400 100"); // a band round one column only
    EXPECT_EQ(s.prompts.messages.size(), messages + 2);
    EXPECT_SAME_MODEL(modelJson(s), before, "refused combines");
    EXPECT_EQ(s.history.undoCount(), entries);
    EXPECT_EQ(s.history.undoName(), name);
}

TEST(EditHistory, SelectionsAndDetailsAreNoEdits) {
    Session s;
    load(s);
    run(s, "select 3\ndetails 4\nlist-group 2\ndisable-mode\ndisable-mode");
    EXPECT_FALSE(s.history.canUndo());
    // Undo with nothing to undo leaves everything as it stands, messages included.
    const std::string before = batch::resultJson(s);
    run(s, "undo\nredo");
    EXPECT_EQ(batch::resultJson(s), before);
}

TEST(EditHistory, MessagesAreNotUndone) {
    Session s;
    load(s);
    run(s, "combine -100 -100 100 5100 ok\nshift-delete 1");
    const std::vector<std::string> messages = s.prompts.messages;
    run(s, "undo\nundo");
    EXPECT_EQ(s.prompts.messages, messages);
}

TEST(EditHistory, ANewEditClearsTheRedoList) {
    Session s;
    load(s);
    run(s, "wheel 2 +1\nnudge-group 3\nundo");
    EXPECT_TRUE(s.history.canRedo());
    run(s, "toggle-group 1");
    EXPECT_FALSE(s.history.canRedo());
    EXPECT_EQ(s.history.undoCount(), 2u);
}

// Selection is not an edit: an undone resize leaves its footing picked, where a replay without
// it leaves the one picked before. Everything else must agree.
std::string withoutSelection(Session& s) {
    const int current = s.project.currentFooting;
    const std::string caption = s.project.sizeLabelCaption;
    s.project.currentFooting = 0;
    s.project.sizeLabelCaption.clear();
    std::string json = modelJson(s);
    s.project.currentFooting = current;
    s.project.sizeLabelCaption = caption;
    return json;
}

TEST(EditHistory, AMixedRunEndsWhereAReplayOfTheSurvivingEditsEnds) {
    const std::vector<std::string> pool = {"wheel 1 +1",
                                           "wheel 2 +1",
                                           "wheel 2 -1",
                                           "wheel 5 -1",
                                           "wheel 7 +1",
                                           "shift-delete 2",
                                           "shift-delete 5",
                                           "toggle-group 1",
                                           "toggle-group 2",
                                           "nudge-group 3",
                                           "nudge-group 1",
                                           "offset 9 right",
                                           "offset 10 up",
                                           "offset 3 left",
                                           "offsets-reset",
                                           "refresh",
                                           "combine -100 -100 100 5100 ok",
                                           "combine 16700 14900 16900 20100",
                                           "shift-delete 1",
                                           "design",
                                           "depth 1 0.9",
                                           "pedestal 2 0.7",
                                           "dia 1",
                                           "press-disabled 6",
                                           "press-disabled 8"};
    auto apply = [](Session& s, const std::string& line) {
        if (line.rfind("press-disabled ", 0) == 0) {
            s.plan.disableMode = true;
            run(s, "press " + line.substr(15));
            s.plan.disableMode = false;
        } else {
            try {
                run(s, line);
            } catch (const batch::ScriptError&) {
                // A schedule row before the first Design: refused before any change.
            }
        }
    };
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        Session s;
        load(s);
        std::vector<std::string> done, undone; // the edits the history holds, in order
        for (int step = 0; step < 160; ++step) {
            const auto roll = random() % 10;
            if (roll < 2) {
                if (s.history.undo(s.project)) {
                    undone.push_back(done.back());
                    done.pop_back();
                }
            } else if (roll < 3) {
                if (s.history.redo(s.project)) {
                    done.push_back(undone.back());
                    undone.pop_back();
                }
            } else {
                const std::string& line = pool[random() % pool.size()];
                const size_t entries = s.history.undoCount();
                apply(s, line);
                if (s.history.undoCount() > entries) {
                    done.push_back(line);
                    undone.clear();
                }
            }
            ASSERT_EQ(s.history.undoCount(), done.size());
            ASSERT_EQ(s.history.redoCount(), undone.size());
        }
        Session replay;
        load(replay);
        for (const std::string& line : done) apply(replay, line);
        EXPECT_SAME_MODEL(withoutSelection(s), withoutSelection(replay),
                          "seed " + std::to_string(seed));
        EXPECT_EQ(replay.history.undoCount(), done.size()) << "every surviving edit changed it";
    }
}

TEST(EditHistory, KeepsTheOldestEditsUntilTheBudgetIsSpent) {
    Session s;
    load(s);
    for (int i = 0; i < 260; ++i) run(s, i % 2 == 0 ? "wheel 2 +1" : "wheel 2 -1");
    // A small frame's edits are far below the budget: all of them stay.
    EXPECT_EQ(s.history.undoCount(), 260u);
    EXPECT_LT(s.history.bytes(), EditHistory::kByteBudget);
    for (int i = 0; i < 260; ++i) ASSERT_TRUE(s.history.undo(s.project));
    EXPECT_FALSE(s.history.undo(s.project));
}

// The bookkeeping: the bytes the history holds as entries move between the undo and redo
// lists, and an edit that leaves designed R or C rows as they were adds no entry.
TEST(EditHistoryBytes, moveWithTheEntriesBetweenUndoAndRedo) {
    Session s;
    load(s);
    EXPECT_EQ(s.history.bytes(), 0u);
    run(s, "wheel 2 +1\nnudge-group 3\ntoggle-group 1");
    const size_t three = s.history.bytes();
    ASSERT_GT(three, 0u);
    // Each entry holds one snapshot of the same model: about a third each.
    run(s, "undo");
    // An undo swaps the entry it takes for one of the model as it stood: as many entries, about
    // as many bytes (a count that subtracted the new entry would fall by two thirds, or wrap).
    EXPECT_GT(s.history.bytes(), three / 2);
    EXPECT_LT(s.history.bytes(), three * 2);
    run(s, "undo\nundo");
    EXPECT_FALSE(s.history.canUndo());
    EXPECT_GT(s.history.bytes(), three / 2);
    EXPECT_LT(s.history.bytes(), three * 2);
    run(s, "redo\nredo\nredo");
    EXPECT_GT(s.history.bytes(), three / 2);
    EXPECT_LT(s.history.bytes(), three * 2);
    s.history.clear();
    EXPECT_EQ(s.history.bytes(), 0u);
}

// A refused combine and a refresh that changes no side leave the history as Design left it, with
// designed rows beside them: R1 of a resized footing, and C1 of two columns 5 m apart along Z.
TEST(EditHistory, anEditThatChangesNothingBesideDesignedRowsAddsNoEntry) {
    for (const bool combined : {false, true}) {
        Session s;
        load(s);
        run(s,
            combined ? "combine -100 -100 100 5100 ok\ndesign" : "wheel 2 +1\nwheel 2 +1\ndesign");
        const auto& texts =
            combined ? s.project.combinedRows.at(0).texts : s.project.rectRows.at(0).texts;
        ASSERT_FALSE(texts.empty()) << combined;
        const size_t entries = s.history.undoCount();
        run(s, "combine 4000 -100 4400 100"); // a band round one column only: refused
        run(s, "refresh");                    // the sides already follow the loads
        EXPECT_EQ(s.history.undoCount(), entries) << combined;
        EXPECT_EQ(s.history.undoName(), "Design") << combined;
    }
}

} // namespace
} // namespace ormevak
