// The edit history's bookkeeping: the bytes it holds as entries move between the undo and redo
// lists, and an edit that leaves designed R or C rows as they were adds no entry.
#include <gtest/gtest.h>

#include <string>

#include "batch/actions.h"
#include "batch/apply.h"
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

TEST(EditHistory, anEditThatChangesNothingBesideDesignedRRowsAddsNoEntry) {
    Session s;
    load(s);
    // A resized footing: Design gives it row R1 with its texts.
    run(s, "wheel 2 +1\nwheel 2 +1\ndesign");
    ASSERT_FALSE(s.project.rectRows.empty());
    ASSERT_FALSE(s.project.rectRows[0].texts.empty());
    const size_t entries = s.history.undoCount();
    run(s, "combine 4000 -100 4400 100"); // a band round one column only: refused
    run(s, "refresh");                    // the sides already follow the loads
    EXPECT_EQ(s.history.undoCount(), entries);
    EXPECT_EQ(s.history.undoName(), "Design");
}

TEST(EditHistory, anEditThatChangesNothingBesideDesignedCRowsAddsNoEntry) {
    Session s;
    load(s);
    // Two columns 5 m apart along Z combined: Design gives them row C1 with its texts.
    run(s, "combine -100 -100 100 5100 ok\ndesign");
    ASSERT_FALSE(s.project.combinedRows.empty());
    ASSERT_FALSE(s.project.combinedRows[0].texts.empty());
    const size_t entries = s.history.undoCount();
    run(s, "combine 4000 -100 4400 100"); // a band round one column only: refused
    run(s, "refresh");                    // the sides already follow the loads
    EXPECT_EQ(s.history.undoCount(), entries);
    EXPECT_EQ(s.history.undoName(), "Design");
}

} // namespace
} // namespace ormevak
