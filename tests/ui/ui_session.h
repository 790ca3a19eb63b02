// A desktop run on a copy of the example project, driven through its real windows.
#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QTemporaryDir>

#include "support/recording_prompts.h"
#include "ui/app.h"
#include "ui/frm_foot.h"
#include "ui/frm_sbc.h"

namespace ormevak::testing {

// The example analysis file copied into a fresh folder, so the layout file is written there.
class ExampleCopy {
  public:
    ExampleCopy();
    const QString& path() const { return path_; }
    QString layoutFile() const;

  private:
    QTemporaryDir dir_;
    QString path_;
};

// A recorder that can also look at the windows while a message is open.
class WatchingPrompts : public RecordingPrompts {
  public:
    void inform(const std::string& text, const std::string& title = {},
                MessageIcon icon = MessageIcon::None) override {
        if (whileOpen) whileOpen(text);
        RecordingPrompts::inform(text, title, icon);
    }
    std::function<void(const std::string&)> whileOpen;
};

// A session whose messages go to a recorder.
struct DesktopRun {
    WatchingPrompts prompts;
    std::unique_ptr<DesktopSession> session;
    int finishedStatus = -1;

    FrmSbc* dialog() const { return session->startupDialog(); }
    FrmFoot* main() const { return session->mainWindow(); }
    Project& project() { return session->project(); }
};

// Runs the input phase on `path` and shows the startup dialog.
std::unique_ptr<DesktopRun> startRun(const QString& path);
// Types into the dialog's two boxes (replacing "Select") and presses OK.
void answerDialog(FrmSbc* dialog, const QString& depth, const QString& sbc);
// startRun, then the dialog answered with depth 1.5 m and SBC 200 kN/m2.
std::unique_ptr<DesktopRun> startToMainWindow(const QString& path);

// One wheel event of `delta` (120 = one notch away from the user) over the middle of `target`.
void wheelOver(QWidget* target, int delta);

template <class W> W* child(QWidget* parent, const QString& name) {
    return parent ? parent->findChild<W*>(name) : nullptr;
}

} // namespace ormevak::testing
