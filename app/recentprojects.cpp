#include "recentprojects.h"

#include <QDir>
#include <QFileInfo>

RecentProjects::RecentProjects(const QStringList &paths)
{
    // Oldest first, so that each add() puts the newer one in front again.
    for (auto it = paths.crbegin(); it != paths.crend(); ++it)
        add(*it);
}

QString RecentProjects::normalised(const QString &path)
{
    if (path.isEmpty())
        return {};
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

int RecentProjects::indexOf(const QString &path) const
{
    // Windows and macOS name a file the same in any case.
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    for (int i = 0; i < m_paths.size(); ++i)
        if (m_paths[i].compare(path, cs) == 0)
            return i;
    return -1;
}

void RecentProjects::add(const QString &path)
{
    const QString name = normalised(path);
    if (name.isEmpty())
        return;
    remove(name);
    m_paths.prepend(name);
    while (m_paths.size() > Limit)
        m_paths.removeLast();
}

void RecentProjects::remove(const QString &path)
{
    const int i = indexOf(normalised(path));
    if (i >= 0)
        m_paths.removeAt(i);
}
