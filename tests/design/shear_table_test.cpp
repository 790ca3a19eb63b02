// The shear strength table, the grade column and the lookup.
#include <gtest/gtest.h>

#include "design/shear_table.h"

namespace ormevak {
namespace {

Project projectOfGrade(int fck) {
    Project p;
    p.concreteGrade = fck;
    ensureShearTable(p);
    return p;
}

TEST(ShearTable, headingRowHoldsTheSixGradesAndColumnZeroThePtKeys) {
    Project p;
    loadShearTable(p);
    const float grades[] = {0, 15, 20, 25, 30, 35, 40};
    for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ(p.shearTable[0][k], grades[k]) << k;
    const float keys[] = {0.15f, 0.25f, 0.50f, 0.75f, 1.00f, 1.25f, 1.50f,
                          1.75f, 2.00f, 2.25f, 2.50f, 2.75f, 3.00f};
    for (std::size_t j = 1; j <= 13; ++j) EXPECT_EQ(p.shearTable[j][0], keys[j - 1]) << j;
}

TEST(ShearTable, cellsAreTheStandardsDesignShearStrengths) {
    Project p;
    loadShearTable(p);
    const float expected[13][6] = {
        {0.28f, 0.28f, 0.29f, 0.29f, 0.29f, 0.30f}, {0.35f, 0.36f, 0.36f, 0.37f, 0.37f, 0.38f},
        {0.46f, 0.48f, 0.49f, 0.50f, 0.50f, 0.51f}, {0.54f, 0.56f, 0.57f, 0.59f, 0.59f, 0.60f},
        {0.60f, 0.62f, 0.64f, 0.66f, 0.67f, 0.68f}, {0.64f, 0.67f, 0.70f, 0.71f, 0.73f, 0.74f},
        {0.68f, 0.72f, 0.74f, 0.76f, 0.78f, 0.79f}, {0.71f, 0.75f, 0.78f, 0.80f, 0.82f, 0.84f},
        {0.71f, 0.79f, 0.82f, 0.84f, 0.86f, 0.88f}, {0.71f, 0.81f, 0.85f, 0.88f, 0.90f, 0.92f},
        {0.71f, 0.82f, 0.88f, 0.91f, 0.93f, 0.95f}, {0.71f, 0.82f, 0.90f, 0.94f, 0.96f, 0.98f},
        {0.71f, 0.82f, 0.92f, 0.96f, 0.99f, 1.01f}};
    for (std::size_t j = 1; j <= 13; ++j)
        for (std::size_t k = 1; k <= 6; ++k)
            EXPECT_EQ(p.shearTable[j][k], expected[j - 1][k - 1]) << "row " << j << " col " << k;
    for (std::size_t j = 0; j <= 13; ++j) EXPECT_EQ(p.shearTable[j][7], 0.0f) << j;
}

TEST(ShearTable, loadingTwiceGivesTheSameTable) {
    Project p;
    loadShearTable(p);
    const ShearTable first = p.shearTable;
    p.shearTable[3][3] = 99;
    loadShearTable(p);
    EXPECT_EQ(p.shearTable, first);
}

TEST(GradeColumn, gradesBetweenColumnsTakeTheLowerAndAboveM40TakeM40) {
    EXPECT_EQ(projectOfGrade(15).gradeColumn, 1);
    EXPECT_EQ(projectOfGrade(20).gradeColumn, 2);
    EXPECT_EQ(projectOfGrade(40).gradeColumn, 6);
    EXPECT_EQ(projectOfGrade(22).gradeColumn, 2); // between M20 and M25: M20, the weaker
    EXPECT_EQ(projectOfGrade(39).gradeColumn, 5);
    EXPECT_EQ(projectOfGrade(45).gradeColumn, 6); // "M40 and above"
    EXPECT_EQ(projectOfGrade(80).gradeColumn, 6);
    EXPECT_EQ(projectOfGrade(14).gradeColumn, 7); // below the table: no strength
    EXPECT_EQ(projectOfGrade(10).gradeColumn, 7);
}

TEST(ShearStrength, ptBelowTheFirstKeyIsRaisedForTheCaller) {
    const Project p = projectOfGrade(20);
    float pt = 0.10f;
    EXPECT_EQ(shearStrength(p, pt), 0.28f);
    EXPECT_EQ(pt, 0.15f);
}

TEST(ShearStrength, interpolatesInSinglePrecision) {
    const Project p20 = projectOfGrade(20);
    float pt = 0.15f;
    EXPECT_EQ(shearStrength(p20, pt), 0.28f);
    pt = 0.20f;
    EXPECT_EQ(shearStrength(p20, pt), 0.32f); // halfway between 0.28 and 0.36
    EXPECT_EQ(pt, 0.20f);
    const Project p25 = projectOfGrade(25);
    pt = 2.80f;
    EXPECT_EQ(shearStrength(p25, pt), 0.904f); // between 0.90 and 0.92
}

TEST(ShearStrength, ptOnAKeyGivesThatRow) {
    const Project p = projectOfGrade(20);
    float pt = 1.00f;
    EXPECT_EQ(shearStrength(p, pt), 0.62f);
}

TEST(ShearStrength, ptFromThreePercentUpGivesTheLastRow) {
    const Project p = projectOfGrade(30);
    float pt = 3.00f;
    EXPECT_EQ(shearStrength(p, pt), 0.96f);
    pt = 4.5f;
    EXPECT_EQ(shearStrength(p, pt), 0.96f);
}

TEST(ShearStrength, aGradeBelowM15GivesNoStrength) {
    const Project p = projectOfGrade(10);
    for (float v : {0.1f, 0.2f, 1.3f, 3.5f}) {
        float pt = v;
        EXPECT_EQ(shearStrength(p, pt), 0.0f) << v;
    }
}

} // namespace
} // namespace ormevak
