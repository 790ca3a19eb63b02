// The shear strength table, the grade column and the lookup.
#include <gtest/gtest.h>

#include "design/shear_table.h"

namespace ormevak {
namespace {

TEST(ShearTable, headingRowHoldsTheSixGradesAndColumnZeroThePtKeys) {
    const ShearTable& t = shearTable();
    const float grades[] = {0, 15, 20, 25, 30, 35, 40};
    for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ(t[0][k], grades[k]) << k;
    const float keys[] = {0.15f, 0.25f, 0.50f, 0.75f, 1.00f, 1.25f, 1.50f,
                          1.75f, 2.00f, 2.25f, 2.50f, 2.75f, 3.00f};
    for (std::size_t j = 1; j <= 13; ++j) EXPECT_EQ(t[j][0], keys[j - 1]) << j;
}

TEST(ShearTable, cellsAreTheStandardsDesignShearStrengths) {
    const ShearTable& t = shearTable();
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
            EXPECT_EQ(t[j][k], expected[j - 1][k - 1]) << "row " << j << " col " << k;
    for (std::size_t j = 0; j <= 13; ++j) EXPECT_EQ(t[j][7], 0.0f) << j;
}

TEST(GradeColumn, gradesBetweenColumnsTakeTheLowerAndAboveM40TakeM40) {
    EXPECT_EQ(gradeColumnFor(15), 1);
    EXPECT_EQ(gradeColumnFor(20), 2);
    EXPECT_EQ(gradeColumnFor(40), 6);
    EXPECT_EQ(gradeColumnFor(22), 2); // between M20 and M25: M20, the weaker
    EXPECT_EQ(gradeColumnFor(39), 5);
    EXPECT_EQ(gradeColumnFor(45), 6); // "M40 and above"
    EXPECT_EQ(gradeColumnFor(80), 6);
    EXPECT_EQ(gradeColumnFor(14), 7); // below the table: no strength
    EXPECT_EQ(gradeColumnFor(10), 7);
    EXPECT_EQ(gradeColumnFor(0), 7); // no grade read
}

TEST(GradeColumn, aColumnStandsForTheGradeOfItsHeading) {
    EXPECT_EQ(columnGrade(1), 15.0f);
    EXPECT_EQ(columnGrade(gradeColumnFor(22)), 20.0f);
    EXPECT_EQ(columnGrade(gradeColumnFor(45)), 40.0f);
    EXPECT_EQ(columnGrade(7), 0.0f);
    EXPECT_EQ(columnGrade(0), 0.0f);
}

TEST(ShearStrength, ptBelowTheFirstKeyIsRaisedForTheCaller) {
    float pt = 0.10f;
    EXPECT_EQ(shearStrength(20, pt), 0.28f);
    EXPECT_EQ(pt, 0.15f);
}

TEST(ShearStrength, interpolatesInSinglePrecision) {
    float pt = 0.15f;
    EXPECT_EQ(shearStrength(20, pt), 0.28f);
    pt = 0.20f;
    EXPECT_EQ(shearStrength(20, pt), 0.32f); // halfway between 0.28 and 0.36
    EXPECT_EQ(pt, 0.20f);
    pt = 2.80f;
    EXPECT_EQ(shearStrength(25, pt), 0.904f); // between 0.90 and 0.92
}

TEST(ShearStrength, ptOnAKeyGivesThatRow) {
    float pt = 1.00f;
    EXPECT_EQ(shearStrength(20, pt), 0.62f);
}

TEST(ShearStrength, ptFromThreePercentUpGivesTheLastRow) {
    float pt = 3.00f;
    EXPECT_EQ(shearStrength(30, pt), 0.96f);
    pt = 4.5f;
    EXPECT_EQ(shearStrength(30, pt), 0.96f);
}

TEST(ShearStrength, aGradeBelowM15GivesNoStrength) {
    for (float v : {0.1f, 0.2f, 1.3f, 3.5f}) {
        float pt = v;
        EXPECT_EQ(shearStrength(10, pt), 0.0f) << v;
    }
}

TEST(ShearStrength, theProjectsLookupIsThatOfItsGrade) {
    Project p;
    p.concreteGrade = 22;
    float a = 0.6f, b = 0.6f;
    EXPECT_EQ(shearStrength(p, a), shearStrength(20, b)); // M22 reads the M20 column
}

} // namespace
} // namespace ormevak
