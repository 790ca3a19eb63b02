// The example office frame carried through the core as the desktop app carries it: input phase,
// depth 1.5 m and SBC 200, the main window's load and the Design command.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "design/design.h"
#include "model/analysis_reader.h"
#include "model/project.h"
#include "model/soil_values.h"
#include "sizing/pipeline.h"
#include "support/recording_prompts.h"

namespace ormevak::testing {

// The same project outside a fixture.
struct OfficeProjectData {
    OfficeProjectData() {
        const QString analysisPath = dir.filePath(QStringLiteral("office-frame.ANL"));
        ready = dir.isValid() &&
                QFile::copy(QStringLiteral(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL"),
                            analysisPath) &&
                !runInputPhase(p, analysisPath.toStdString(), prompts).has_value() &&
                applySoilValues(p, "1.5", "200").accepted;
        if (!ready) return;
        loadMainWindow(p, prompts);
        ready = runDesign(p, prompts);
    }
    QTemporaryDir dir;
    Project p;
    RecordingPrompts prompts;
    bool ready = false;
};

class OfficeProject : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // A private copy, so that no layout file of another run is read and the workbook's
        // default place is a folder of our own.
        analysisPath = dir.filePath(QStringLiteral("office-frame.ANL"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL"),
                                analysisPath));
        ASSERT_FALSE(runInputPhase(p, analysisPath.toStdString(), prompts).has_value());
        ASSERT_TRUE(applySoilValues(p, "1.5", "200").accepted);
        loadMainWindow(p, prompts);
        ASSERT_TRUE(runDesign(p, prompts));
        prompts.messages.clear();
        prompts.titles.clear();
        prompts.icons.clear();
    }

    // With ORMEVAK_SCREENSHOTS set to a folder, the window is saved there as name.png to be
    // looked at.
    static void screenshot(QWidget& window, const char* name) {
        const char* folder = std::getenv("ORMEVAK_SCREENSHOTS");
        if (folder == nullptr) return;
        QDir().mkpath(QString::fromLocal8Bit(folder));
        window.grab().save(QDir(QString::fromLocal8Bit(folder))
                               .filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
    }

    QTemporaryDir dir;
    QString analysisPath;
    Project p;
    RecordingPrompts prompts;
};

} // namespace ormevak::testing
