// The main window's File commands on the project file: Open project, Save, Save As, the recent
// projects, the title with the project's name and its unsaved mark, and the question on close.
#pragma once

#include <functional>
#include <string>

#include <QObject>
#include <QString>
#include <QStringList>

#include "model/project.h"
#include "model/prompts.h"
#include "project/project_file.h"

class QAction;
class QMenu;
class QMenuBar;
class QTimer;
class QWidget;

namespace ormevak {

enum class UnsavedChoice { Save, Discard, Cancel };
// Asks what to do with unsaved work in the project named; the desktop asks with a message box.
using UnsavedQuestion = std::function<UnsavedChoice(const QString& name)>;
// Asks for a file name to open (save = false) or to save to; empty when cancelled.
using FileQuestion = std::function<QString(bool save, const QString& suggestion)>;

class ProjectCommands : public QObject {
    Q_OBJECT
  public:
    // `window` is the main window over `project`; `projectPath` is empty for work not yet saved.
    ProjectCommands(QWidget* window, Project& project, Prompts& prompts, SoilTexts soil,
                    QString projectPath);
    ~ProjectCommands() override;

    QMenuBar* menuBar() const { return menuBar_; }
    QMenu* fileMenu() const { return fileMenu_; }
    QAction* openAction() const { return open_; }
    QAction* saveAction() const { return save_; }
    QAction* saveAsAction() const { return saveAs_; }
    QMenu* recentMenu() const { return recent_; }

    // Save: to the project file, or through Save As when there is none yet. False when nothing
    // was written (cancelled, or the write failed and its message was shown).
    bool save();
    // Save As to `path`, or to the file the user names when it is empty.
    bool saveAs(const QString& path = {});
    // Open project: asks about unsaved work first, then asks for the file when `path` is empty;
    // the session opens it (openRequested).
    void open(const QString& path = {});
    // True when the decisions differ from the project file (or from the fresh load).
    bool isModified();
    // Checks for changes now and updates the title (it is also done every second).
    void refreshState();
    // Save / Discard / Cancel when there is unsaved work: false for Cancel or a failed save.
    bool mayDiscard();

    QString projectPath() const { return projectPath_; }
    void setUnsavedQuestion(UnsavedQuestion q) { askUnsaved_ = std::move(q); }
    void setFileQuestion(FileQuestion q) { askFile_ = std::move(q); }

    // The last eight projects opened or saved, newest first.
    static QStringList recentProjects();
    static void rememberRecent(const QString& path);

  signals:
    // The user chose a project to open; the session replaces the model and the window.
    void openRequested(const QString& path);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::string snapshot() const;
    void markSaved();
    void updateTitle();
    void fillRecentMenu();

    QWidget* window_;
    Project& project_;
    Prompts& prompts_;
    SoilTexts soil_;
    QString projectPath_;
    std::string saved_; // the decisions as last saved or opened
    bool modified_ = false;
    UnsavedQuestion askUnsaved_;
    FileQuestion askFile_;
    QMenuBar* menuBar_ = nullptr;
    bool ownBar_ = false; // the bar was made here (the window has none of its own)
    QMenu* fileMenu_ = nullptr;
    QMenu* recent_ = nullptr;
    QAction* open_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAs_ = nullptr;
    QTimer* poll_ = nullptr;
};

// The desktop's questions: a Save / Discard / Cancel message box and the file dialogs.
UnsavedChoice askUnsavedWithMessageBox(QWidget* parent, const QString& name);
QString askProjectFileWithDialog(QWidget* parent, bool save, const QString& suggestion);

} // namespace ormevak
