#pragma once

#include "guide/gifanimation.h"

#include <QObject>
#include <QTimer>

// Plays one GifAnimation on the UI thread's timer: each frame for its own delay, as many
// passes as the animation asks (0 = without end), then the last frame stays. A single
// frame is shown still. The timer is single-shot and re-armed per frame, so the interval
// scheduled for the frame on screen can be read back (tests drive advance() themselves).
class GifPlayer : public QObject
{
    Q_OBJECT

public:
    explicit GifPlayer(QObject *parent = nullptr);

    // Replaces whatever was playing and shows the first frame.
    void play(GifAnimation animation);

    QImage currentFrame() const;
    int frameIndex() const { return m_frameIndex; }
    // The interval armed for the frame on screen; -1 when playing has ended or never began.
    int scheduledDelayMs() const;

    // Shows the next frame; what the timer runs. Does nothing once playing has ended.
    void advance();

signals:
    void frameChanged(const QImage &frame);

private:
    void showFrame(int index);

    GifAnimation m_animation;
    QTimer m_timer;
    int m_frameIndex = -1;
    int m_passesDone = 0;
};
