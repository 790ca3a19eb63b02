// File commands of the main window over the core's project file.
#include "ui/project_commands.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include "model/errors.h"
#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

constexpr int kRecentCount = 8;
const QString kRecentKey = QStringLiteral("recentProjects");

QSettings settings() {
    return QSettings(QStringLiteral("ORMEVAK"), QStringLiteral("ormevak"));
}

QString withExtension(QString path) {
    if (!path.isEmpty() && !path.endsWith(QLatin1String(kProjectExtension), Qt::CaseInsensitive))
        path += QLatin1String(kProjectExtension);
    return path;
}

} // namespace

ProjectCommands::ProjectCommands(QWidget* window, Project& project, Prompts& prompts,
                                 SoilTexts soil, QString projectPath)
    : QObject(window), window_(window), project_(project), prompts_(prompts),
      soil_(std::move(soil)), projectPath_(std::move(projectPath)) {
    // The main window's own menu bar takes the File menu first, as every desktop program has it;
    // a plain window gets a bar of its own.
    auto* main = qobject_cast<QMainWindow*>(window);
    ownBar_ = main == nullptr;
    menuBar_ = main != nullptr ? main->menuBar() : new QMenuBar(window);
    if (ownBar_) menuBar_->setObjectName(QStringLiteral("MenuBar"));
    if (menuBar_->accessibleName().isEmpty())
        menuBar_->setAccessibleName(QStringLiteral("Menu bar"));
    // The bar's own overflow button is read out as well.
    for (QWidget* child : menuBar_->findChildren<QWidget*>())
        if (child->accessibleName().isEmpty())
            child->setAccessibleName(QStringLiteral("More menus"));
    fileMenu_ = new QMenu(QStringLiteral("&File"), menuBar_);
    const QList<QAction*> menus = menuBar_->actions();
    menuBar_->insertMenu(menus.isEmpty() ? nullptr : menus.first(), fileMenu_);
    fileMenu_->setObjectName(QStringLiteral("MenuFile"));
    open_ = fileMenu_->addAction(QStringLiteral("&Open project..."));
    open_->setObjectName(QStringLiteral("ActOpenProject"));
    open_->setShortcut(QKeySequence::Open);
    save_ = fileMenu_->addAction(QStringLiteral("&Save"));
    save_->setObjectName(QStringLiteral("ActSave"));
    save_->setShortcut(QKeySequence::Save);
    saveAs_ = fileMenu_->addAction(QStringLiteral("Save &As..."));
    saveAs_->setObjectName(QStringLiteral("ActSaveAs"));
    saveAs_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    recent_ = fileMenu_->addMenu(QStringLiteral("&Recent projects"));
    recent_->setObjectName(QStringLiteral("MenuRecent"));
    // The shortcuts work wherever the focus is in the main window.
    for (QAction* a : {open_, save_, saveAs_}) {
        a->setShortcutContext(Qt::WindowShortcut);
        window->addAction(a);
    }
    connect(open_, &QAction::triggered, this, [this] { open(); });
    connect(save_, &QAction::triggered, this, [this] { save(); });
    connect(saveAs_, &QAction::triggered, this, [this] { saveAs(); });
    connect(recent_, &QMenu::aboutToShow, this, &ProjectCommands::fillRecentMenu);

    if (ownBar_) {
        // A window without a menu bar of its own: the bar stands at the plan's top-left corner,
        // just under the command row, visible however narrow the window is.
        menuBar_->setGeometry(0, twipsToPixels(500, window->logicalDpiX()),
                              menuBar_->sizeHint().width(), menuBar_->sizeHint().height());
        menuBar_->raise();
        menuBar_->show();
    }

    window->installEventFilter(this);
    askUnsaved_ = [window](const QString& name) { return askUnsavedWithMessageBox(window, name); };
    askFile_ = [window](bool saving, const QString& suggestion) {
        return askProjectFileWithDialog(window, saving, suggestion);
    };
    markSaved();
    poll_ = new QTimer(this);
    poll_->setInterval(1000);
    connect(poll_, &QTimer::timeout, this, &ProjectCommands::refreshState);
    poll_->start();
}

ProjectCommands::~ProjectCommands() = default;

std::string ProjectCommands::snapshot() const {
    // Picking a footing is no work to lose: the current footing and the size label it shows are
    // saved but not counted as changes.
    const int current = project_.currentFooting;
    const std::string sizeLabel = project_.sizeLabelCaption;
    project_.currentFooting = 0;
    project_.sizeLabelCaption.clear();
    // The digest stands for the analysis file, which does not change under the window.
    const std::string anchor = projectPath_.isEmpty()
                                   ? project_.analysisFilePath + kProjectExtension
                                   : projectPath_.toStdString();
    std::string text = projectText(project_, soil_, anchor, std::string(64, '0'));
    project_.currentFooting = current;
    project_.sizeLabelCaption = sizeLabel;
    return text;
}

void ProjectCommands::markSaved() {
    saved_ = snapshot();
    modified_ = false;
    updateTitle();
}

bool ProjectCommands::isModified() {
    refreshState();
    return modified_;
}

void ProjectCommands::refreshState() {
    const bool now = snapshot() != saved_;
    if (now != modified_) {
        modified_ = now;
        updateTitle();
    }
}

void ProjectCommands::updateTitle() {
    const QString analysis = qs(project_.analysisFilePath);
    const QString mark = modified_ ? QStringLiteral("*") : QString();
    if (projectPath_.isEmpty())
        window_->setWindowTitle(analysis + mark);
    else
        window_->setWindowTitle(QFileInfo(projectPath_).fileName() + mark + QStringLiteral(" - ") +
                                analysis);
}

bool ProjectCommands::save() {
    if (projectPath_.isEmpty()) return saveAs();
    try {
        saveProject(project_, soil_, projectPath_.toStdString());
    } catch (const FileError& e) {
        prompts_.inform(e.what());
        return false;
    }
    rememberRecent(projectPath_);
    markSaved();
    return true;
}

bool ProjectCommands::saveAs(const QString& path) {
    QString target = path;
    if (target.isEmpty()) {
        const QString suggestion =
            projectPath_.isEmpty()
                ? QFileInfo(qs(project_.analysisFilePath)).path() + QLatin1Char('/') +
                      QFileInfo(qs(project_.analysisFilePath)).completeBaseName() +
                      QLatin1String(kProjectExtension)
                : projectPath_;
        target = askFile_ ? askFile_(true, suggestion) : QString();
        if (target.isEmpty()) return false;
    }
    const QString previous = projectPath_;
    projectPath_ = withExtension(target);
    if (save()) return true;
    projectPath_ = previous;
    updateTitle();
    return false;
}

bool ProjectCommands::mayDiscard() {
    if (!isModified()) return true;
    const QString name =
        projectPath_.isEmpty() ? qs(project_.analysisFilePath) : QFileInfo(projectPath_).fileName();
    switch (askUnsaved_ ? askUnsaved_(name) : UnsavedChoice::Discard) {
    case UnsavedChoice::Save:
        return save();
    case UnsavedChoice::Discard:
        return true;
    case UnsavedChoice::Cancel:
        break;
    }
    return false;
}

void ProjectCommands::open(const QString& path) {
    if (!mayDiscard()) return;
    const QString target = path.isEmpty() && askFile_ ? askFile_(false, projectPath_) : path;
    if (target.isEmpty()) return;
    emit openRequested(target);
}

bool ProjectCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close && window_->isVisible()) {
        if (!mayDiscard()) {
            event->ignore();
            return true; // the window stays open, nothing is written
        }
    }
    return QObject::eventFilter(watched, event);
}

void ProjectCommands::fillRecentMenu() {
    recent_->clear();
    const QStringList files = recentProjects();
    if (files.isEmpty()) {
        recent_->addAction(QStringLiteral("(none)"))->setEnabled(false);
        return;
    }
    for (const QString& f : files)
        connect(recent_->addAction(f), &QAction::triggered, this, [this, f] { open(f); });
}

QStringList ProjectCommands::recentProjects() {
    return settings().value(kRecentKey).toStringList();
}

void ProjectCommands::rememberRecent(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentProjects();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentCount) files.removeLast();
    settings().setValue(kRecentKey, files);
}

UnsavedChoice askUnsavedWithMessageBox(QWidget* parent, const QString& name) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ORMEVAK"),
                    QStringLiteral("Save the changes to %1?").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedChoice::Save;
    case QMessageBox::Discard:
        return UnsavedChoice::Discard;
    default:
        return UnsavedChoice::Cancel;
    }
}

QString askProjectFileWithDialog(QWidget* parent, bool save, const QString& suggestion) {
    const QString filter = QStringLiteral("ORMEVAK projects (*.ormevak);;All Files (*.*)");
    return save ? QFileDialog::getSaveFileName(parent, QStringLiteral("Save project"), suggestion,
                                               filter)
                : QFileDialog::getOpenFileName(parent, QStringLiteral("Open project"), suggestion,
                                               filter);
}

} // namespace ormevak
