#include "consoledialogs.h"

#include "clitexts.h"
#include "transfertexts.h"

#include <cstdio>
#include <unistd.h>

ConsoleDialogs::ConsoleDialogs(int language) : m_language(language), m_progressLine(::isatty(STDERR_FILENO) == 1) {}

int ConsoleDialogs::ask(Icon icon, const QString &title, const QString &text, const QStringList &buttons, int)
{
    if (icon == Icon::Question && text == transferText(TransferMessage::RestartQuestion, m_language).text) {
        m_restartAsked = true;
        return m_restart ? 0 : 1;
    }
    message(icon, title, text);
    return buttons.isEmpty() ? -1 : 0;
}

void ConsoleDialogs::notify(Icon icon, const QString &title, const QString &text, const QString &)
{
    message(icon, title, text);
}

void ConsoleDialogs::message(Icon icon, const QString &title, const QString &text)
{
    if (m_handler && m_handler(icon, title, text))
        return;
    if (icon != Icon::Warning && icon != Icon::Critical)
        return;
    progressClose();
    std::fprintf(stderr, "quillmark-cli: %s: %s\n", cliText(CliText::Warning, m_language).toLocal8Bit().constData(),
                 QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).toLocal8Bit().constData());
}

void ConsoleDialogs::progressShow(const QString &title, int maximum)
{
    if (m_progressShown && title == m_progressTitle && maximum == m_progressMaximum)
        return;
    m_progressShown = true;
    m_progressTitle = title;
    m_progressMaximum = maximum;
    m_progressValue = 0;
    drawProgress();
}

void ConsoleDialogs::progressSetTitle(const QString &title)
{
    if (!m_progressShown || title == m_progressTitle)
        return;
    m_progressTitle = title;
    drawProgress();
}

void ConsoleDialogs::progressSetValue(int value)
{
    if (!m_progressShown)
        return;
    m_progressValue = value;
    drawProgress();
}

void ConsoleDialogs::progressClose()
{
    if (!m_progressShown)
        return;
    m_progressShown = false;
    if (m_progressLine)
        std::fputs("\n", stderr);
}

void ConsoleDialogs::drawProgress()
{
    if (!m_progressLine)
        return;
    std::fprintf(stderr, "\r%s %d/%d", m_progressTitle.toLocal8Bit().constData(), m_progressValue,
                 m_progressMaximum);
    std::fflush(stderr);
}
