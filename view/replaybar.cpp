#include "replaybar.h"

#include "replayplayer.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

ReplayBar::ReplayBar(ReplayPlayer *player, QWidget *parent)
    : QWidget(parent)
    , m_player(player)
    , m_play(new QToolButton(this))
    , m_step(new QToolButton(this))
    , m_speed(new QComboBox(this))
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_time(new QLabel(this))
    , m_name(new QLabel(this))
    , m_summary(new QLabel(this))
    , m_evaluate(new QToolButton(this))
    , m_close(new QToolButton(this))
    , m_layout(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("ReplayBar"));
    m_play->setObjectName(QStringLiteral("ReplayPlay"));
    m_step->setObjectName(QStringLiteral("ReplayStep"));
    m_speed->setObjectName(QStringLiteral("ReplaySpeed"));
    m_slider->setObjectName(QStringLiteral("ReplayPosition"));
    m_evaluate->setObjectName(QStringLiteral("ReplayEvaluate"));
    m_close->setObjectName(QStringLiteral("ReplayClose"));
    m_step->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    m_close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    m_evaluate->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_speed->addItems({QString(), QString(), QString()});
    m_time->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000:00.000 / 000:00.000")));
    m_time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : {static_cast<QWidget *>(m_play), static_cast<QWidget *>(m_step),
                       static_cast<QWidget *>(m_speed)})
        row->addWidget(w);
    row->addWidget(m_slider, 1);
    for (QWidget *w : {static_cast<QWidget *>(m_time), static_cast<QWidget *>(m_name),
                       static_cast<QWidget *>(m_evaluate), static_cast<QWidget *>(m_close)})
        row->addWidget(w);
    m_layout->setContentsMargins(4, 2, 4, 2);
    m_layout->addLayout(row);
    m_summary->setObjectName(QStringLiteral("WhatIfSummary"));
    m_layout->addWidget(m_summary);

    connect(m_play, &QToolButton::clicked, this, [this] {
        if (m_player->isPlaying()) {
            m_player->pause();
            return;
        }
        if (m_player->positionUs() >= m_player->durationUs())
            m_player->seek(0); // at the end, play starts over
        m_player->play();
    });
    connect(m_step, &QToolButton::clicked, m_player, &ReplayPlayer::step);
    connect(m_speed, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) { m_player->setSpeed(ReplayPlayer::Speed(index)); });
    connect(m_slider, &QSlider::sliderMoved, this, [this](int ms) { m_player->seek(qint64(ms) * 1000); });
    connect(m_slider, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove) // clicks and keys beside the handle
            m_player->seek(qint64(m_slider->sliderPosition()) * 1000);
    });
    connect(m_evaluate, &QToolButton::clicked, this, &ReplayBar::evaluateRequested);
    connect(m_close, &QToolButton::clicked, this, &ReplayBar::closeRequested);
    connect(m_player, &ReplayPlayer::positionChanged, this, &ReplayBar::showPosition);
    connect(m_player, &ReplayPlayer::playingChanged, this, &ReplayBar::showPlaying);
    showPlaying(false);
    setLanguage(0);
}

void ReplayBar::setLanguage(int flag)
{
    m_flag = flag;
    const bool en = flag == 1;
    m_speed->setItemText(0, en ? QStringLiteral("Real time") : QStringLiteral("实时"));
    m_speed->setItemText(1, QStringLiteral("4×"));
    m_speed->setItemText(2, en ? QStringLiteral("As fast as possible") : QStringLiteral("最快"));
    m_step->setToolTip(en ? QStringLiteral("Step to the next scan") : QStringLiteral("单步到下一次扫描"));
    m_slider->setToolTip(en ? QStringLiteral("Position in the recording") : QStringLiteral("录制中的位置"));
    m_evaluate->setText(en ? QStringLiteral("Evaluate Zones") : QStringLiteral("评估区域"));
    m_evaluate->setToolTip(en ? QStringLiteral("Evaluate the project's zones against every recorded scan")
                              : QStringLiteral("用工程的区域评估录制的每次扫描"));
    m_close->setToolTip(en ? QStringLiteral("Close the recording") : QStringLiteral("关闭录制文件"));
    showPlaying(m_player->isPlaying());
}

void ReplayBar::recordingOpened(const QString &name)
{
    m_name->setText(name);
    const QSignalBlocker block(m_slider);
    m_slider->setRange(0, int(qMin<qint64>(m_player->durationUs() / 1000, std::numeric_limits<int>::max())));
    m_slider->setPageStep(qMax(1, m_slider->maximum() / 20));
    m_speed->setCurrentIndex(int(m_player->speed()));
    showPosition(m_player->positionUs());
}

void ReplayBar::setTimeline(QWidget *timeline)
{
    timeline->setParent(this);
    m_layout->addWidget(timeline);
}

void ReplayBar::setSummary(const QString &text) { m_summary->setText(text); }

void ReplayBar::showPosition(qint64 timeUs)
{
    if (!m_slider->isSliderDown()) {
        const QSignalBlocker block(m_slider);
        m_slider->setValue(int(qMin<qint64>(timeUs / 1000, std::numeric_limits<int>::max())));
    }
    m_time->setText(clock(timeUs) + QStringLiteral(" / ") + clock(m_player->durationUs()));
}

void ReplayBar::showPlaying(bool playing)
{
    const bool en = m_flag == 1;
    m_play->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    m_play->setToolTip(playing ? (en ? QStringLiteral("Pause") : QStringLiteral("暂停"))
                               : (en ? QStringLiteral("Play") : QStringLiteral("播放")));
}

QString ReplayBar::clock(qint64 timeUs)
{
    const qint64 ms = qMax<qint64>(0, timeUs / 1000);
    return QStringLiteral("%1:%2.%3")
        .arg(ms / 60000, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}
