// Opening a saved project: exactly the saved state when the analysis is as it was; otherwise a
// report of what changed, decisions carried over by joint number and the rest listed.
#include <algorithm>
#include <functional>

#include <nlohmann/json.hpp>

#include "model/numbers.h"

#include "project_fixture.h"

using namespace ormevak;
using namespace ormevak::testing;
using Json = nlohmann::ordered_json;

namespace {

class OpenProject : public ProjectFolder {
  protected:
    // Saves the edited session; returns it as it stood.
    Project saveEdited() {
        Project p = edited();
        saveProject(p, soil, projectPath);
        return p;
    }
    std::string heading() const {
        return "The analysis file " + analysis + " changed since the project was saved";
    }
    void editProjectJson(const std::function<void(Json&)>& change) {
        Json j = Json::parse(slurp(projectPath));
        change(j);
        spill(projectPath, j.dump());
    }
    static int indexOfJoint(const Project& p, int joint) {
        for (int i = 1; i <= p.footingCount; ++i)
            if (p.footings[static_cast<size_t>(i)].jointNo == joint) return i;
        return 0;
    }
};

void expectSameFootings(const Project& a, const Project& b) {
    ASSERT_EQ(a.footingCount, b.footingCount);
    for (int i = 1; i <= a.footingCount; ++i) {
        const FootingRecord& x = a.footings[static_cast<size_t>(i)];
        const FootingRecord& y = b.footings[static_cast<size_t>(i)];
        EXPECT_EQ(x.jointNo, y.jointNo) << i;
        EXPECT_EQ(x.state, y.state) << i;
        EXPECT_EQ(x.groupIndex, y.groupIndex) << i;
        EXPECT_EQ(x.markNo, y.markNo) << i;
        EXPECT_EQ(x.x, y.x) << i;
        EXPECT_EQ(x.z, y.z) << i;
        EXPECT_EQ(x.offX, y.offX) << i;
        EXPECT_EQ(x.offZ, y.offZ) << i;
        EXPECT_EQ(x.lenL, y.lenL) << i;
        EXPECT_EQ(x.widB, y.widB) << i;
        EXPECT_EQ(x.reqSide, y.reqSide) << i;
    }
}

} // namespace

TEST_F(OpenProject, unchangedAnalysisGivesTheSavedState) {
    const Project saved = saveEdited();
    const OpenedProject o = openProject(projectPath);
    const Project& p = o.project;
    EXPECT_TRUE(o.changes.empty());
    EXPECT_TRUE(o.scheduleRestored);
    EXPECT_EQ(o.soil.sbc, "200");
    expectSameFootings(saved, p);
    ASSERT_EQ(p.groupCount, saved.groupCount);
    for (int g = 1; g <= p.groupCount; ++g) {
        const auto at = static_cast<size_t>(g);
        EXPECT_EQ(p.groups[at].size, saved.groups[at].size);
        EXPECT_EQ(p.groups[at].footingNos, saved.groups[at].footingNos);
        EXPECT_EQ(p.groupEnabled[at], saved.groupEnabled[at]);
        EXPECT_EQ(p.groupCaptions[at].check, saved.groupCaptions[at].check);
    }
    ASSERT_EQ(p.combinedCount, 1);
    EXPECT_EQ(p.combinedFootings[1].members, saved.combinedFootings[1].members);
    EXPECT_EQ(p.combinedFootings[1].cant2, saved.combinedFootings[1].cant2);
    ASSERT_EQ(p.designRowCount, saved.designRowCount);
    EXPECT_EQ(p.designRows[1].depth, saved.designRows[1].depth);
    EXPECT_EQ(p.designRowTexts, saved.designRowTexts);
    EXPECT_EQ(p.currentFooting, 4);
    EXPECT_EQ(p.sizeLabelCaption, saved.sizeLabelCaption);
    EXPECT_EQ(p.analysisFilePath, analysis);
}

TEST_F(OpenProject, anOpenedProjectSavesToTheSameBytes) {
    saveEdited();
    const std::string first = slurp(projectPath);
    const OpenedProject o = openProject(projectPath);
    saveProject(o.project, o.soil, projectPath);
    EXPECT_EQ(slurp(projectPath), first);
}

TEST_F(OpenProject, scheduleEditsWorkOnTheRestoredRows) {
    saveEdited();
    OpenedProject o = openProject(projectPath);
    const RowTexts t = editDepth(o.project, 1, "1.2");
    EXPECT_EQ(t[col::TxtDepth], "1.2");
    EXPECT_FALSE(t[col::LabAst].empty());
}

TEST_F(OpenProject, sameSupportsInOtherBytesKeepEveryDecision) {
    const Project saved = saveEdited();
    spill(analysis, slurp(analysis) + "\n");
    const OpenedProject o = openProject(projectPath);
    EXPECT_EQ(o.changes, (std::vector<std::string>{
                             heading(), "Its supports, load cases and reactions are as they were: "
                                        "every decision is kept"}));
    expectSameFootings(saved, o.project);
    EXPECT_TRUE(o.scheduleRestored);
}

TEST_F(OpenProject, missingAnalysisFileIsRefusedNamingIt) {
    saveEdited();
    fs::remove(analysis);
    try {
        openProject(projectPath);
        FAIL() << "opened";
    } catch (const ProjectFileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open the project " + projectPath +
                                             ": its analysis file " + analysis + " does not exist");
    }
}

TEST_F(OpenProject, refusedSoilValuesAreNamed) {
    saveEdited();
    editProjectJson([](Json& j) { j["soil"]["sbc"] = "20"; });
    try {
        openProject(projectPath);
        FAIL() << "opened";
    } catch (const ProjectFileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open the project " + projectPath +
                                                  ": its soil values are refused: ",
                                              0),
                  0u)
            << e.what();
    }
}

TEST_F(OpenProject, changedReactionsAreReportedAndTheScheduleListed) {
    saveEdited();
    replaceInAnalysis("217.56", "317.56"); // joint 1, load case 1
    const OpenedProject o = openProject(projectPath);
    EXPECT_EQ(o.changes,
              (std::vector<std::string>{
                  heading(), "Reactions at joint 1 changed by more than 1 % in load case 1",
                  "Not carried over: the group formed at 1.3 m (unticked): no footing needs that "
                  "side now",
                  "Combined footing C1 keeps its size although the loads at joint 1 changed: "
                  "check it",
                  "Not carried over: the schedule (8 rows, with their depth, pedestal and bar "
                  "diameter edits): press Design to design it again"}));
    EXPECT_FALSE(o.scheduleRestored);
    EXPECT_EQ(o.project.designRowCount, 0);
    EXPECT_EQ(o.project.combinedCount, 1);
    EXPECT_EQ(o.project.footings[1].state, 1);
}

TEST_F(OpenProject, removedSupportDropsItsCombinedFootingAndCarriesTheRest) {
    saveEdited();
    replaceInAnalysis(reactionBlock(1), "");
    const OpenedProject o = openProject(projectPath);
    EXPECT_EQ(o.changes,
              (std::vector<std::string>{
                  heading(), "Support removed at joint 1",
                  "Not carried over: the group formed at 1.3 m (unticked): no footing needs that "
                  "side now",
                  "Not carried over: combined footing C1 (joints 1, 7): joint 1 was removed; its "
                  "remaining footings are grouped again",
                  "Not carried over: the schedule (8 rows, with their depth, pedestal and bar "
                  "diameter edits): press Design to design it again"}));
    const Project& p = o.project;
    ASSERT_EQ(p.footingCount, 29);
    EXPECT_EQ(p.combinedCount, 0);
    const FootingRecord& joint7 = p.footings[static_cast<size_t>(indexOfJoint(p, 7))];
    EXPECT_EQ(joint7.state, kStateGrouped);
    EXPECT_GT(joint7.groupIndex, 0);
    const FootingRecord& joint2 = p.footings[static_cast<size_t>(indexOfJoint(p, 2))];
    EXPECT_EQ(joint2.state, kStateResized); // still resized, under its joint's new index
    EXPECT_EQ(p.footings[static_cast<size_t>(indexOfJoint(p, 6))].state, kStateDisabled);
    EXPECT_EQ(p.footings[static_cast<size_t>(indexOfJoint(p, 9))].offX, 1);
    EXPECT_EQ(p.currentFooting, indexOfJoint(p, 4));
}

TEST_F(OpenProject, addedSupportShiftsIndicesAndDecisionsFollowTheirJoints) {
    saveEdited();
    std::string block = reactionBlock(1);
    std::string added = block;
    added.replace(added.find("  1 "), 4, " 31 ");
    replaceInAnalysis(block, block + "\n" + added);
    const OpenedProject o = openProject(projectPath);
    EXPECT_EQ(o.changes,
              (std::vector<std::string>{
                  heading(), "Support added at joint 31",
                  "Not carried over: the schedule (8 rows, with their depth, pedestal and bar "
                  "diameter edits): press Design to design it again"}));
    const Project& p = o.project;
    ASSERT_EQ(p.footingCount, 31);
    EXPECT_EQ(p.footings[2].jointNo, 31);
    EXPECT_EQ(p.footings[2].state, kStateGrouped);
    EXPECT_EQ(p.footings[3].jointNo, 2);
    EXPECT_EQ(p.footings[3].state, kStateResized);
    ASSERT_EQ(p.combinedCount, 1);
    EXPECT_EQ(p.combinedFootings[1].members[1], 1);
    EXPECT_EQ(p.combinedFootings[1].members[2], 8);
    EXPECT_EQ(p.footings[8].state, 1);
    EXPECT_EQ(p.footings[10].offX, 1); // joint 9
    EXPECT_EQ(p.currentFooting, 5);    // joint 4
}

TEST_F(OpenProject, movedSupportIsReported) {
    saveEdited();
    replaceInAnalysis(" 7 0 0 5", " 7 0.2 0 5");
    const OpenedProject o = openProject(projectPath);
    EXPECT_EQ(o.changes,
              (std::vector<std::string>{
                  heading(), "Support at joint 7 moved from (0, 5000) to (200, 5000) mm",
                  "Not carried over: combined footing C1 (joints 1, 7): the support at joint 7 "
                  "moved; its remaining footings are grouped again",
                  "Not carried over: the schedule (8 rows, with their depth, pedestal and bar "
                  "diameter edits): press Design to design it again"}));
    EXPECT_EQ(o.project.combinedCount, 0);
    EXPECT_EQ(o.project.footings[7].x, 200);
}

TEST_F(OpenProject, loadCasesAddedAndRemovedAreReported) {
    saveEdited();
    editProjectJson([](Json& j) {
        for (Json& f : j["footings"]) {
            f["loads"].erase(f["loads"].size() - 1);    // case 8 was not there
            f["loads"].push_back({9, 100.0, 0.0, 0.0}); // case 9 was
        }
    });
    const OpenedProject o = openProject(projectPath);
    // The bytes are the same, so the analysis does not match what the project says of it.
    EXPECT_EQ(o.changes,
              (std::vector<std::string>{
                  "The analysis file " + analysis + " does not match the saved project",
                  "Load case added: 8", "Load case removed: 9",
                  "Not carried over: the schedule (8 rows, with their depth, pedestal and bar "
                  "diameter edits): press Design to design it again"}));
}

TEST_F(OpenProject, decisionsOfARemovedSupportAreListed) {
    saveEdited();
    editProjectJson([](Json& j) {
        // As if joint 40 had stood in the analysis with a resized, offset footing.
        Json extra = j["footings"][1];
        extra["joint"] = 40;
        extra["offX"] = -1;
        j["footings"].push_back(extra);
    });
    const OpenedProject o = openProject(projectPath);
    EXPECT_EQ(o.changes,
              (std::vector<std::string>{
                  "The analysis file " + analysis + " does not match the saved project",
                  "Support removed at joint 40",
                  "Not carried over: the footing at joint 40 (removed): its resized size 2.25 X 2 "
                  "m and its column offset",
                  "Not carried over: the schedule (8 rows, with their depth, pedestal and bar "
                  "diameter edits): press Design to design it again"}));
}

TEST_F(OpenProject, theLargestGroupStaysTicked) {
    saveEdited();
    replaceInAnalysis("217.56", "317.56");
    editProjectJson([](Json& j) {
        Json& last = j["groups"][j["groups"].size() - 1];
        last["enabled"] = false;
    });
    const OpenedProject o = openProject(projectPath);
    const Project& p = o.project;
    EXPECT_TRUE(p.groupEnabled[static_cast<size_t>(p.groupCount)]);
    EXPECT_NE(std::find(o.changes.begin(), o.changes.end(),
                        "Not carried over: unticking the group of side " +
                            formatNumber(p.groups[static_cast<size_t>(p.groupCount)].baseSize) +
                            " m: it is now the largest group and stays ticked"),
              o.changes.end());
}

TEST_F(OpenProject, aFailedOpenLeavesNothingBehind) {
    saveEdited();
    editProjectJson([](Json& j) { j["analysis"]["file"] = "elsewhere/office.ANL"; });
    Project current = edited();
    const int before = current.combinedCount;
    EXPECT_THROW(openProject(projectPath), ProjectFileError);
    EXPECT_EQ(current.combinedCount, before);
    EXPECT_EQ(current.footingCount, 30);
}
