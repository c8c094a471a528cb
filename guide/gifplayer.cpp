#include "guide/gifplayer.h"

GifPlayer::GifPlayer(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &GifPlayer::advance);
}

void GifPlayer::play(GifAnimation animation)
{
    m_timer.stop();
    m_animation = std::move(animation);
    m_passesDone = 0;
    showFrame(0);
}

QImage GifPlayer::currentFrame() const
{
    return m_frameIndex < 0 ? QImage() : m_animation.frames().at(m_frameIndex);
}

int GifPlayer::scheduledDelayMs() const
{
    return m_timer.isActive() ? m_timer.interval() : -1;
}

void GifPlayer::advance()
{
    if (m_frameIndex < 0)
        return;
    const int frameCount = int(m_animation.frames().size());
    if (m_frameIndex + 1 < frameCount) {
        showFrame(m_frameIndex + 1);
        return;
    }
    ++m_passesDone;
    const int passes = m_animation.passCount();
    if (frameCount > 1 && (passes == 0 || m_passesDone < passes))
        showFrame(0);
}

void GifPlayer::showFrame(int index)
{
    m_frameIndex = index;
    emit frameChanged(m_animation.frames().at(index));
    const int frameCount = int(m_animation.frames().size());
    const bool lastOfFinalPass = index == frameCount - 1 && m_animation.passCount() != 0
                                 && m_passesDone + 1 >= m_animation.passCount();
    if (frameCount > 1 && !lastOfFinalPass)
        m_timer.start(m_animation.frameDelayMs(index));
    else
        m_timer.stop();
}
