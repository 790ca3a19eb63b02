// The plan's readouts: the status line of a footing, the arrow keys' neighbour and the footing a
// message names, on the office frame (joints 1..30 on a 4.2 m x 5 m grid, footing i on joint i).
#include <gtest/gtest.h>

#include <string>

#include "batch/session.h"
#include "model/analysis_reader.h"
#include "model/soil_values.h"
#include "plan/details.h"
#include "plan/plan_labels.h"
#include "plan/plan_readout.h"
#include "sizing/pipeline.h"

namespace ormevak {
namespace {

class Readout : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string path = std::string(ORMEVAK_SOURCE_DIR) + "/examples/office-frame.ANL";
        ASSERT_FALSE(runInputPhase(s.project, path, s.prompts).has_value());
        applySoilValues(s.project, "1.5", "200");
        loadMainWindow(s.project, s.prompts);
    }
    batch::Session s;
};

TEST_F(Readout, namesTheFootingItsGroupSizeAndWorstPressure) {
    const FootingReadout r = footingReadout(s.project, 2);
    EXPECT_EQ(r.jointNo, 2);
    EXPECT_EQ(r.mark, "F8");
    EXPECT_FLOAT_EQ(r.lenL, 2.2f);
    // Every case has the same allowable here: the worst is the detail window's largest pressure.
    EXPECT_FLOAT_EQ(r.worstPressure, detailPressure(s.project, 2));
    EXPECT_FLOAT_EQ(r.allowable, 250.0f);
    EXPECT_GE(r.governingCase, 1);
    const std::string line = readoutLine(r);
    EXPECT_EQ(line.rfind("Footing 2  F8  2.2 x 2.2 m  ", 0), 0u) << line;
    EXPECT_NE(line.find(" / 250 kN/m2 (case "), std::string::npos) << line;
}

TEST_F(Readout, aCombinedFootingReportsItsOwnSizeAndADisabledOneNoPressure) {
    s.project.footings[1].state = kStateDisabled;
    EXPECT_EQ(footingReadout(s.project, 1).mark, "D");
    EXPECT_EQ(footingReadout(s.project, 1).governingCase, 0);
    EXPECT_EQ(readoutLine(footingReadout(s.project, 1)).find("kN/m2"), std::string::npos);
    EXPECT_EQ(footingReadout(s.project, 0).footing, 0);
    EXPECT_EQ(readoutLine(footingReadout(s.project, 99)), "");
}

TEST_F(Readout, arrowKeysGoToTheNearestFootingThatWay) {
    EXPECT_EQ(neighbourFooting(s.project, 1, 1, 0), 2);  // right: (4200, 0)
    EXPECT_EQ(neighbourFooting(s.project, 1, 0, 1), 7);  // down: (0, 5000)
    EXPECT_EQ(neighbourFooting(s.project, 1, -1, 0), 0); // nothing left of the first column
    EXPECT_EQ(neighbourFooting(s.project, 1, 0, -1), 0);
    EXPECT_EQ(neighbourFooting(s.project, 8, -1, 0), 7);
    EXPECT_EQ(neighbourFooting(s.project, 8, 0, -1), 2);
    EXPECT_EQ(neighbourFooting(s.project, 0, 1, 0), 1); // nothing picked: the first footing
}

TEST_F(Readout, thePointerFindsTheFootingUnderIt) {
    storeDrawnRects(s.project);
    EXPECT_EQ(footingAt(s.project, 4200 + 1000, 0 - 1000), 2); // inside 2.2 x 2.2 m round (4200, 0)
    EXPECT_EQ(footingAt(s.project, 4200 + 1200, 0), 0);        // just outside it
    s.project.footings[2].state = kStateDisabled;              // not built: no outline
    EXPECT_EQ(footingAt(s.project, 4200, 0), 0);
}

TEST_F(Readout, messagesNameTheirFootingByJoint) {
    EXPECT_EQ(footingOfMessage(s.project, "Check JOINT : 12    LOAD : 3"), 12);
    EXPECT_EQ(footingOfMessage(s.project, " Fy = 0 @ : 7 Case : 2"), 7);
    EXPECT_EQ(footingOfMessage(s.project, "25 Missed   Size = 1.6"), 25);
    EXPECT_EQ(footingOfMessage(s.project, "F3    1.8 X 1.8 M4   5   "), 0);
    EXPECT_EQ(footingOfMessage(s.project, "Check JOINT : 999    LOAD : 3"), 0); // no such joint
    EXPECT_EQ(footingOfMessage(s.project, "1 Is Deleting"), 0);
}

TEST_F(Readout, aJointNumberTooLongForAnIntegerNamesNoFooting) {
    // Only the first nine digits are read: twenty nines name joint 999999999, which is none,
    // instead of overflowing the conversion.
    const std::string nines(20, '9');
    EXPECT_EQ(footingOfMessage(s.project, "Check JOINT : " + nines + "    LOAD : 3"), 0);
    EXPECT_EQ(footingOfMessage(s.project, " Fy = 0 @ : " + nines + " Case : 2"), 0);
}

} // namespace
} // namespace ormevak
