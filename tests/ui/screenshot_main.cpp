// Draws the main window on the example project, as an engineer would leave it after a few
// actions (group numbers shown, a pair combined, one footing resized and selected), into a PNG.
// Usage: ormevak_screenshot OUTPUT.png   (run offscreen; see scripts/screenshot)
#include <clocale>
#include <cstdio>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "ui/group_controls.h"
#include "ui/plan_view.h"
#include "ui_session.h"

using namespace ormevak;
using namespace ormevak::testing;

namespace {

int footingAtJoint(const Project& p, int joint) {
    for (int i = 1; i <= p.footingCount; ++i)
        if (p.footings[i].jointNo == joint) return i;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "C");
    if (argc != 2) {
        std::fprintf(stderr, "usage: ormevak_screenshot OUTPUT.png\n");
        return 2;
    }
    ExampleCopy example;
    auto run = startToMainWindow(example.path());
    FrmFoot* w = run->main();
    if (!w) {
        std::fprintf(stderr, "ormevak_screenshot: the main window did not open\n");
        return 1;
    }
    QTest::qWait(50);
    PlanView* plan = w->plan();
    const Project& p = run->project();

    QTest::mouseClick(child<QCheckBox>(w, QStringLiteral("ChkGrpNos")), Qt::LeftButton);

    // A band round the two columns of the right-hand edge at Z 15 m and 20 m, then Combine.
    const QPoint from = plan->viewport().toPixels(20000, 13500).toPoint();
    const QPoint to = plan->viewport().toPixels(22500, 21000).toPoint();
    QTest::mousePress(plan, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(plan, to);
    QTest::mouseRelease(plan, Qt::LeftButton, Qt::NoModifier, to);
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("CmdCombine")), Qt::LeftButton);

    // One inner footing lengthened by three wheel notches (R1), then another one selected.
    QTest::mousePress(plan->footingLabel(footingAtJoint(p, 9)), Qt::LeftButton);
    for (int n = 0; n < 3; ++n) wheelOver(plan->sizeBox(), 120);
    QTest::keyClick(plan->sizeBox(), Qt::Key_Escape);
    QTest::mousePress(plan->footingLabel(footingAtJoint(p, 16)), Qt::LeftButton);
    // The pointer over footing 17, read in the status bar.
    const FootingRecord& f17 = p.footings[static_cast<size_t>(footingAtJoint(p, 17))];
    QTest::mouseMove(plan, plan->viewport().toPixels(f17.x + 300, f17.z + 300).toPoint());

    QTest::qWait(50);
    if (!w->grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "ormevak_screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    for (const std::string& m : run->prompts.messages)
        std::fprintf(stderr, "message: %s\n", m.c_str());
    std::printf("%s: %dx%d\n", argv[1], w->width(), w->height());
    return 0;
}
