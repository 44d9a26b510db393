#pragma once

#include <QString>
#include <QStringList>

// Every message box, progress dialog and file dialog a controller opens goes
// through this one interface. The main window installs the widget version;
// tests and headless tools install one that answers without a modal loop.
class DialogSeam
{
public:
    enum class Icon { Information, Warning, Critical, Question };

    virtual ~DialogSeam();

    // Modal box with up to three button texts (an empty text gives no button).
    // defaultButton is the index of the default; there is no escape button.
    // Returns the index of the pressed button, or -1 if the box was dismissed
    // some other way.
    virtual int ask(Icon icon, const QString &title, const QString &text, const QStringList &buttons,
                    int defaultButton = 0) = 0;
    // Modeless box that returns at once; the box disposes of itself.
    virtual void notify(Icon icon, const QString &title, const QString &text, const QString &button) = 0;

    // File dialogs; an empty result means the user cancelled.
    virtual QString openFileName(const QString &caption, const QString &dir, const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &dir, const QString &filter) = 0;

    // The one application-modal progress dialog of a transfer (no cancel button).
    virtual void progressShow(const QString &title, int maximum) = 0;
    virtual void progressSetTitle(const QString &title) = 0;
    virtual void progressSetValue(int value) = 0;
    virtual void progressClose() = 0;

    // The seam in force. Never null: before anything is installed it is a
    // silent one that answers -1 / empty, so a headless run cannot block.
    static DialogSeam *current();
    // Installs a seam (nullptr restores the silent one). The caller keeps ownership.
    static void install(DialogSeam *seam);
};
