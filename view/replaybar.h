#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QSlider;
class QToolButton;
class QVBoxLayout;
class ReplayPlayer;

// The controls of a replay: play or pause, one scan forward, the speed, the
// position as a slider and as text, and what-if's timeline beneath. It drives
// the player and follows it; the window decides when it is shown.
class ReplayBar : public QWidget
{
    Q_OBJECT
public:
    explicit ReplayBar(ReplayPlayer *player, QWidget *parent = nullptr);

    // 0 Chinese, 1 English (the window's flag).
    void setLanguage(int flag);
    // The file name shown, and the slider's length from the player.
    void recordingOpened(const QString &name);
    // A widget shown under the controls (what-if's timeline); not owned
    // before it is set, then parented here.
    void setTimeline(QWidget *timeline);
    // One line about the last what-if evaluation.
    void setSummary(const QString &text);

    QSlider *slider() const { return m_slider; }
    QLabel *timeLabel() const { return m_time; }

signals:
    void closeRequested();
    void evaluateRequested();

private:
    void showPosition(qint64 timeUs);
    void showPlaying(bool playing);
    static QString clock(qint64 timeUs);

    ReplayPlayer *m_player;
    QToolButton *m_play;
    QToolButton *m_step;
    QComboBox *m_speed;
    QSlider *m_slider;
    QLabel *m_time;
    QLabel *m_name;
    QLabel *m_summary;
    QToolButton *m_evaluate;
    QToolButton *m_close;
    QVBoxLayout *m_layout;
    int m_flag = 0;
};
