#pragma once

#include <QString>
#include <QStringList>

// The project files used last, most recent first, as the File menu offers
// them and the settings keep them between runs: each file once, at most
// Limit of them.
class RecentProjects
{
public:
    static constexpr int Limit = 8;

    // A list as stored: empty names and repeats are dropped, the rest cut to Limit.
    explicit RecentProjects(const QStringList &paths = {});

    // To the front; a file already listed moves there instead of appearing twice.
    void add(const QString &path);
    void remove(const QString &path);
    void clear() { m_paths.clear(); }
    const QStringList &paths() const { return m_paths; }

    // One name per file: absolute, without "." or "..", native case rules.
    static QString normalised(const QString &path);

private:
    int indexOf(const QString &path) const;

    QStringList m_paths;
};
