#pragma once

#include "dialogseam.h"

#include <functional>

// The link's message boxes on a console. A handler installed by the running
// command sees every box first (and may claim it); unclaimed warnings and
// errors go to standard error as one line. The restart question is answered
// by the command's choice. The progress dialog becomes a line on standard
// error that rewrites itself, only when standard error is a terminal.
class ConsoleDialogs final : public DialogSeam
{
public:
    using Handler = std::function<bool(Icon icon, const QString &title, const QString &text)>;

    explicit ConsoleDialogs(int language);

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    void setRestartAnswer(bool yes) { m_restart = yes; }
    bool restartAsked() const { return m_restartAsked; }
    // For tests: show the progress line even when standard error is no terminal.
    void setProgressLine(bool on) { m_progressLine = on; }

    int ask(Icon icon, const QString &title, const QString &text, const QStringList &buttons,
            int defaultButton = 0) override;
    void notify(Icon icon, const QString &title, const QString &text, const QString &button) override;
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    void progressShow(const QString &title, int maximum) override;
    void progressSetTitle(const QString &title) override;
    void progressSetValue(int value) override;
    void progressClose() override;

private:
    void message(Icon icon, const QString &title, const QString &text);
    void drawProgress();

    int m_language;
    Handler m_handler;
    bool m_restart = false;
    bool m_restartAsked = false;
    bool m_progressLine;
    bool m_progressShown = false;
    QString m_progressTitle;
    int m_progressMaximum = 0;
    int m_progressValue = 0;
};
