#pragma once

#include <QDialog>
#include <QStringList>

namespace Ui {
class About;
}

// The about box: product name, version, date and the release notes, in the
// window's language.
class About : public QDialog
{
    Q_OBJECT
public:
    explicit About(QWidget *parent = nullptr);
    ~About() override;

    // The release notes one paragraph per line, oldest release first;
    // languageFlag 0 Chinese, 1 English, others nothing.
    static QStringList releaseNotes(int languageFlag);

public slots:
    void LanguageDisplayChinese();
    void LanguageDisplayEnglish();
    void LanguageDisplayJapanese();

private:
    void showTexts(int languageFlag);

    Ui::About *ui;
};
