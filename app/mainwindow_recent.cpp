// The main window's recent projects: the File menu's list of the project
// files used last, kept in the settings between runs.

#include "mainwindow.h"

#include "dialogseam.h"
#include "projecttexts.h"
#include "serial_comm.h"
#include "settingsstore.h"
#include "ui_mainwindow.h"

#include <QFileInfo>
#include <QSettings>

#include <utility>

namespace {
// A key of its own beside the window's settings.
const QString kRecentKey = QStringLiteral("RecentProjects");
} // namespace

void MainWindow::loadRecentProjects()
{
    m_recent = RecentProjects(settingsStore().value(kRecentKey).toStringList());
    showRecentProjects();
}

void MainWindow::storeRecentProjects() const
{
    QSettings settings = settingsStore();
    settings.setValue(kRecentKey, m_recent.paths());
}

void MainWindow::showRecentProjects()
{
    // Later: the entry that opened a project may still be delivering its click.
    for (QAction *old : std::as_const(m_recentActions)) {
        ui->menuRecent->removeAction(old);
        old->deleteLater();
    }
    m_recentActions.clear();
    // The entries go above the separator and the action that clears them.
    QAction *const below = ui->menuRecent->actions().value(0);
    const QStringList &paths = m_recent.paths();
    for (int i = 0; i < paths.size(); ++i) {
        auto *action = new QAction(ProjectTexts::recentEntry(i, paths[i]), ui->menuRecent);
        const QString path = paths[i];
        connect(action, &QAction::triggered, this, [this, path] { openRecentProject(path); });
        ui->menuRecent->insertAction(below, action);
        m_recentActions << action;
    }
    ui->menuRecent->setEnabled(!paths.isEmpty());
}

void MainWindow::openRecentProject(const QString &path)
{
    link->stopTimeout(); // no time-out warning over the boxes
    if (!QFileInfo(path).isFile()) {
        m_recent.remove(path);
        storeRecentProjects();
        showRecentProjects();
        DialogSeam::current()->ask(DialogSeam::Icon::Warning, ProjectTexts::recentMissingTitle(LanguageFlag),
                                   ProjectTexts::recentMissingText(LanguageFlag, path),
                                   {ProjectTexts::okButton(LanguageFlag)});
        return;
    }
    loadProject(path, true);
}

void MainWindow::clearRecentProjects()
{
    m_recent.clear();
    storeRecentProjects();
    showRecentProjects();
}
