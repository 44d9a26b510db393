#pragma once

// For the screenshot programs: tells scripts/manual-shots where on the screen
// the parts lie that a screenshot may be cut down to. While the program runs,
// the file named by QM_SHOT_CROPS is rewritten every 250 ms with one line per
// visible part, "name x y width height" in screen pixels; the screenshot is
// taken while the program runs, so the last lines written describe it.
//   window  the main window with its frame
//   dialog  the modal dialog or message box on top, else any other window shown
//   menu    the open menus with the menu-bar entry they hang from
// and any part added by name.

#include <QApplication>
#include <QDialog>
#include <QSaveFile>
#include <QMenu>
#include <QMenuBar>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class ShotCrops : public QObject
{
public:
    explicit ShotCrops(QMainWindow *window) : m_window(window)
    {
        m_path = qEnvironmentVariable("QM_SHOT_CROPS");
        if (m_path.isEmpty())
            return;
        add(QStringLiteral("window"), [this] { return m_window->frameGeometry(); });
        add(QStringLiteral("dialog"), [this] { return dialogRect(); });
        add(QStringLiteral("menu"), [this] { return menuRect(); });
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, &ShotCrops::write);
        timer->start(250);
    }

    void add(const QString &name, std::function<QRect()> rect) { m_parts.emplace_back(name, std::move(rect)); }
    // A widget inside a window, by object name.
    void addWidget(const QString &objectName)
    {
        add(objectName, [this, objectName] { return screenRect(m_window->findChild<QWidget *>(objectName)); });
    }

    static QRect screenRect(const QWidget *w)
    {
        if (!w || !w->isVisible())
            return {};
        if (w->isWindow())
            return w->frameGeometry();
        return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    }

private:
    QRect dialogRect() const
    {
        if (QWidget *modal = QApplication::activeModalWidget())
            return modal->frameGeometry();
        QWidget *active = QApplication::activeWindow();
        if (active && active != m_window && !qobject_cast<QMenu *>(active))
            return active->frameGeometry();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != m_window && qobject_cast<QDialog *>(w))
                return w->frameGeometry();
        return {};
    }

    QRect menuRect() const
    {
        QRect all;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *menu = qobject_cast<QMenu *>(w); menu && menu->isVisible())
                all |= menu->frameGeometry();
        QMenuBar *bar = m_window->menuBar();
        if (!all.isNull() && bar->activeAction()) {
            const QRect entry = bar->actionGeometry(bar->activeAction());
            all |= QRect(bar->mapToGlobal(entry.topLeft()), entry.size());
        }
        return all;
    }

    void write()
    {
        // Replaced whole, so a program stopped in the middle leaves the last
        // complete list.
        QSaveFile file(m_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
            return;
        for (const auto &part : m_parts) {
            const QRect r = part.second();
            if (r.isValid())
                file.write(QStringLiteral("%1 %2 %3 %4 %5\n")
                               .arg(part.first)
                               .arg(r.x())
                               .arg(r.y())
                               .arg(r.width())
                               .arg(r.height())
                               .toUtf8());
        }
        file.commit();
    }

    QMainWindow *m_window;
    QString m_path;
    std::vector<std::pair<QString, std::function<QRect()>>> m_parts;
};
