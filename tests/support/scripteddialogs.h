#pragma once

#include "dialogseam.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

// A dialog seam for tests: records every box and answers from a queue.
// Installs itself for its lifetime.
class ScriptedDialogs : public DialogSeam
{
public:
    struct Box
    {
        Icon icon;
        QString title;
        QString text;
        QStringList buttons;
        bool modeless;
    };

    ScriptedDialogs() { DialogSeam::install(this); }
    ~ScriptedDialogs() override { DialogSeam::install(nullptr); }

    // Answers given in order; when the queue is empty, ask() returns defaultAnswer.
    QQueue<int> answers;
    int defaultAnswer = 0;
    QQueue<QString> fileNames; // answers for open/save dialogs; empty = cancelled

    // Runs while a box asked is open, before its answer: what happens
    // behind a modal box as the user reads it.
    std::function<void(const Box &)> whileOpen;

    QList<Box> boxes;
    QStringList fileDialogCaptions;
    QStringList fileDialogFilters;
    bool progressVisible = false;
    QString progressTitle;
    int progressMaximum = 0;
    int progressValue = 0;
    int progressShows = 0;

    int ask(Icon icon, const QString &title, const QString &text, const QStringList &buttons, int) override
    {
        boxes.append({icon, title, text, buttons, false});
        if (whileOpen)
            whileOpen(boxes.last());
        return answers.isEmpty() ? defaultAnswer : answers.dequeue();
    }
    void notify(Icon icon, const QString &title, const QString &text, const QString &button) override
    {
        boxes.append({icon, title, text, QStringList{button}, true});
    }
    QString openFileName(const QString &caption, const QString &, const QString &filter) override
    {
        fileDialogCaptions << caption;
        fileDialogFilters << filter;
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override
    {
        return openFileName(caption, dir, filter);
    }
    void progressShow(const QString &title, int maximum) override
    {
        progressVisible = true;
        progressTitle = title;
        progressMaximum = maximum;
        ++progressShows;
    }
    void progressSetTitle(const QString &title) override { progressTitle = title; }
    void progressSetValue(int value) override
    {
        progressValue = value;
        if (value >= progressMaximum)
            progressVisible = false;
    }
    void progressClose() override { progressVisible = false; }
};
