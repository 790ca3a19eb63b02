// The start of a run: the input phase and the startup dialog, through the real windows.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui_session.h"

namespace ormevak::testing {
namespace {

QString text(QWidget* w, const char* name) {
    auto* label = child<QLabel>(w, QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

TEST(StartupDialog, showsWhatTheAnalysisFileHolds) {
    ExampleCopy example;
    auto run = startRun(example.path());
    FrmSbc* d = run->dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->windowTitle(), QStringLiteral("ORMEVAK"));
    EXPECT_EQ(d->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(text(d, "Label1"), QStringLiteral("Footings Design and Grouping"));
    EXPECT_EQ(text(d, "LabNoSRea"), QStringLiteral("SUPPORT REACTIONS :   30"));
    EXPECT_EQ(text(d, "LabLoadCases"), QStringLiteral("LOAD CASES :   8"));
    EXPECT_EQ(text(d, "LabFckFe"), QStringLiteral("Fck 20     Fe 415 N/mm2"));
    EXPECT_EQ(text(d, "Label5"), QStringLiteral("SBC"));
    EXPECT_EQ(text(d, "Label6"), QStringLiteral("KN/m2    At  Depth"));
    EXPECT_EQ(child<QPushButton>(d, "CmdOK")->text(), QStringLiteral("OK"));
    EXPECT_EQ(child<QPushButton>(d, "CmdEnd")->text(), QStringLiteral("Exit"));
    EXPECT_TRUE(run->prompts.messages.empty());
}

TEST(StartupDialog, bothBoxesStartAtSelectWithTheirLists) {
    ExampleCopy example;
    auto run = startRun(example.path());
    auto items = [&](const char* name) {
        auto* combo = child<QComboBox>(run->dialog(), QLatin1String(name));
        QStringList out{combo->currentText()};
        for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
        return out.join(QLatin1Char(' '));
    };
    EXPECT_EQ(items("CombSBC"), QStringLiteral("Select 100 150 200 250 300 350 400 500"));
    EXPECT_EQ(items("CmbDepth"), QStringLiteral("Select 0.5 1.0 1.5 2.0 2.5 3.0 3.5 4.0"));
    EXPECT_TRUE(child<QComboBox>(run->dialog(), "CombSBC")->isEditable());
    EXPECT_TRUE(child<QComboBox>(run->dialog(), "CmbDepth")->isEditable());
}

TEST(StartupDialog, okWithGoodValuesOpensTheMainWindowAndCloses) {
    ExampleCopy example;
    auto run = startToMainWindow(example.path());
    ASSERT_NE(run->main(), nullptr);
    EXPECT_TRUE(run->main()->isVisible());
    EXPECT_FALSE(run->dialog()->isVisible());
    EXPECT_EQ(run->finishedStatus, -1); // the run goes on
    EXPECT_FLOAT_EQ(run->project().earthPressure, 30);
    EXPECT_FLOAT_EQ(run->project().allowableBearing[0], 200);
    EXPECT_FLOAT_EQ(run->project().allowableBearing[35], 250);
}

TEST(StartupDialog, ignoresAnSbcOutOfRangeButKeepsTheDepth) {
    ExampleCopy example;
    auto run = startRun(example.path());
    answerDialog(run->dialog(), QStringLiteral("1.5"), QStringLiteral("49"));
    EXPECT_EQ(run->main(), nullptr);
    EXPECT_TRUE(run->dialog()->isVisible());
    EXPECT_TRUE(run->prompts.messages.empty()); // refused beside the box, not in a message box
    EXPECT_EQ(text(run->dialog(), "LabRefused"),
              QStringLiteral("SBC must be a number from 50 to 1000 kN/m2"));
    EXPECT_FLOAT_EQ(run->project().earthPressure, 30);
    EXPECT_FLOAT_EQ(run->project().allowableBearing[0], 0);
    // A second try with a good SBC goes through.
    answerDialog(run->dialog(), QStringLiteral("1.5"), QStringLiteral("1000"));
    ASSERT_NE(run->main(), nullptr);
    EXPECT_FLOAT_EQ(run->project().allowableBearing[0], 1000);
}

TEST(StartupDialog, okAtSelectDoesNothing) {
    ExampleCopy example;
    auto run = startRun(example.path());
    QTest::mouseClick(child<QPushButton>(run->dialog(), "CmdOK"), Qt::LeftButton);
    EXPECT_EQ(run->main(), nullptr);
    EXPECT_TRUE(run->dialog()->isVisible());
    EXPECT_FLOAT_EQ(run->project().earthPressure, 0);
}

TEST(StartupDialog, aDepthAbove6IsRefused) {
    ExampleCopy example;
    auto run = startRun(example.path());
    answerDialog(run->dialog(), QStringLiteral("6.1"), QStringLiteral("200"));
    EXPECT_EQ(run->main(), nullptr);
    EXPECT_FLOAT_EQ(run->project().earthPressure, 0);
}

// Keys typed into a box that starts at "Select", as the engineer types them.
void typeInto(FrmSbc* dialog, const char* name, const QString& keys) {
    auto* combo = child<QComboBox>(dialog, QLatin1String(name));
    combo->setFocus();
    QTest::keyClick(combo->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(combo->lineEdit(), keys);
}

QString boxText(FrmSbc* dialog, const char* name) {
    return child<QComboBox>(dialog, QLatin1String(name))->currentText();
}

TEST(StartupDialog, typedValuesAreJudgedAsTyped) {
    // "50" is a prefix of the listed "500" and "0" of "0.5": neither may be completed.
    ExampleCopy example;
    auto run = startRun(example.path());
    FrmSbc* d = run->dialog();
    EXPECT_EQ(child<QComboBox>(d, "CombSBC")->completer(), nullptr);
    EXPECT_EQ(child<QComboBox>(d, "CmbDepth")->completer(), nullptr);
    typeInto(d, "CmbDepth", QStringLiteral("0"));
    typeInto(d, "CombSBC", QStringLiteral("50"));
    EXPECT_EQ(boxText(d, "CmbDepth"), QStringLiteral("0"));
    EXPECT_EQ(boxText(d, "CombSBC"), QStringLiteral("50"));
    QTest::mouseClick(child<QPushButton>(d, "CmdOK"), Qt::LeftButton);
    ASSERT_NE(run->main(), nullptr);
    EXPECT_FLOAT_EQ(run->project().earthPressure, 0);
    EXPECT_FLOAT_EQ(run->project().allowableBearing[0], 50);
    EXPECT_FLOAT_EQ(run->project().allowableBearing[1], 62.5); // 1.25 x 50
}

TEST(StartupDialog, aTypedFiveIsRefusedNotTurnedIntoFiveHundred) {
    ExampleCopy example;
    auto run = startRun(example.path());
    FrmSbc* d = run->dialog();
    typeInto(d, "CmbDepth", QStringLiteral("1.5"));
    typeInto(d, "CombSBC", QStringLiteral("5"));
    EXPECT_EQ(boxText(d, "CombSBC"), QStringLiteral("5"));
    QTest::mouseClick(child<QPushButton>(d, "CmdOK"), Qt::LeftButton);
    EXPECT_EQ(run->main(), nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FLOAT_EQ(run->project().allowableBearing[0], 0);
    EXPECT_EQ(text(d, "LabRefused"), QStringLiteral("SBC must be a number from 50 to 1000 kN/m2"));
    EXPECT_TRUE(run->prompts.messages.empty());
}

TEST(StartupDialog, aRefusedDepthIsNamedBesideTheBoxes) {
    ExampleCopy example;
    auto run = startRun(example.path());
    FrmSbc* d = run->dialog();
    EXPECT_EQ(text(d, "LabRefused"), QString()); // nothing refused yet
    const QSize before = d->size();
    QTest::mouseClick(child<QPushButton>(d, "CmdOK"), Qt::LeftButton); // both at "Select"
    EXPECT_EQ(text(d, "LabRefused"), QStringLiteral("Depth must be a number from 0 to 6 m"));
    EXPECT_EQ(d->size(), before);
    EXPECT_TRUE(child<QLabel>(d, "LabRefused")->isVisible());
    EXPECT_TRUE(run->prompts.messages.empty());
}

TEST(StartupDialog, enterPressesOk) {
    ExampleCopy example;
    auto run = startRun(example.path());
    FrmSbc* d = run->dialog();
    typeInto(d, "CmbDepth", QStringLiteral("2"));
    typeInto(d, "CombSBC", QStringLiteral("4"));
    QTest::keyClick(child<QComboBox>(d, "CombSBC")->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(run->main(), nullptr);
    EXPECT_EQ(text(d, "LabRefused"), QStringLiteral("SBC must be a number from 50 to 1000 kN/m2"));
    QTest::keyClicks(child<QComboBox>(d, "CombSBC")->lineEdit(), QStringLiteral("00"));
    QTest::keyClick(child<QComboBox>(d, "CombSBC")->lineEdit(), Qt::Key_Enter);
    ASSERT_NE(run->main(), nullptr);
    EXPECT_FLOAT_EQ(run->project().earthPressure, 40);
    EXPECT_FLOAT_EQ(run->project().allowableBearing[0], 400);
}

TEST(StartupDialog, everyControlHasAnAccessibleName) {
    ExampleCopy example;
    auto run = startRun(example.path());
    for (QWidget* w : run->dialog()->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w)) continue; // a combo box's own editor
        if (!qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractButton*>(w)) continue;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
}

TEST(StartupDialog, exitEndsTheProgramWithoutALayoutFile) {
    ExampleCopy example;
    auto run = startRun(example.path());
    QTest::mouseClick(child<QPushButton>(run->dialog(), "CmdEnd"), Qt::LeftButton);
    EXPECT_EQ(run->finishedStatus, 0);
    EXPECT_EQ(run->main(), nullptr);
    EXPECT_FALSE(QFile::exists(example.layoutFile()));
}

TEST(StartupDialog, closingTheWindowEndsTheProgram) {
    ExampleCopy example;
    auto run = startRun(example.path());
    run->dialog()->close();
    EXPECT_EQ(run->finishedStatus, 0);
    EXPECT_EQ(run->main(), nullptr);
}

// An analysis file written into a fresh folder.
struct BadFile {
    explicit BadFile(const QByteArray& content) {
        path = dir.filePath(QStringLiteral("bad.ANL"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(content);
    }
    QTemporaryDir dir;
    QString path;
};

TEST(InputPhase, wrongUnitsShowTheMessageAndEndBeforeTheDialog) {
    BadFile file("   1. STAAD SPACE\n   2. UNIT FEET KIP\n");
    auto run = startRun(file.path);
    EXPECT_EQ(run->dialog(), nullptr);
    ASSERT_EQ(run->prompts.messages.size(), 1u);
    EXPECT_EQ(run->prompts.messages[0], " Units Should be Meter or mm ");
    EXPECT_EQ(QDir(file.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bad.ANL")});
}

TEST(InputPhase, aFileWithoutMarkersSaysWhatWasNotFound) {
    BadFile file("nothing to read here\n");
    auto run = startRun(file.path);
    EXPECT_EQ(run->dialog(), nullptr);
    ASSERT_EQ(run->prompts.messages.size(), 1u);
    EXPECT_EQ(run->prompts.messages[0],
              file.path.toStdString() +
                  " does not look like an analysis output: no joint coordinates found");
}

TEST(InputPhase, aRefusedFileIsNamedAndAnotherOneAskedFor) {
    BadFile bad("   1. STAAD SPACE\n   2. UNIT FEET KIP\n");
    ExampleCopy good;
    DesktopRun run;
    run.session = std::make_unique<DesktopSession>(run.prompts);
    bool dialogOpenDuringMessage = true;
    run.prompts.whileOpen = [&](const std::string&) {
        dialogOpenDuringMessage = run.dialog() != nullptr;
    };
    int asked = 0;
    EXPECT_TRUE(run.session->startFrom(bad.path, [&] {
        ++asked;
        return good.path();
    }));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(run.prompts.messages, std::vector<std::string>{" Units Should be Meter or mm "});
    EXPECT_FALSE(dialogOpenDuringMessage);
    ASSERT_NE(run.dialog(), nullptr);
    EXPECT_TRUE(run.dialog()->isVisible());
    EXPECT_EQ(text(run.dialog(), "LabNoSRea"), QStringLiteral("SUPPORT REACTIONS :   30"));
    EXPECT_EQ(QDir(bad.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bad.ANL")});
}

TEST(InputPhase, aFileThatIsNoAnalysisOutputLetsTheUserChooseAgainOrStop) {
    BadFile pdf("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj << /Type /Catalog >> endobj\n");
    DesktopRun run;
    run.session = std::make_unique<DesktopSession>(run.prompts);
    int asked = 0;
    // The user cancels the second open-file dialog: nothing more happens.
    EXPECT_FALSE(run.session->startFrom(pdf.path, [&] {
        ++asked;
        return QString();
    }));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(run.dialog(), nullptr);
    EXPECT_EQ(run.finishedStatus, -1);
    // Whatever the input phase says about it is shown, once.
    EXPECT_LE(run.prompts.messages.size(), 1u);
    EXPECT_EQ(QDir(pdf.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bad.ANL")});
}

TEST(ChooseAnalysisFile, theOneArgumentIsTheFile) {
    EXPECT_EQ(chooseAnalysisFile({QStringLiteral("ormevak"), QStringLiteral("/x/y.ANL")}),
              QStringLiteral("/x/y.ANL"));
}

} // namespace
} // namespace ormevak::testing
