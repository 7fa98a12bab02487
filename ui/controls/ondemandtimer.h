#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// A window's millisecond timer whose ticks have work only now and then. It counts as running from
// start() to stop(), as the window's rules say, but wakes the event loop only when there may be
// work (wake()): one tick, on the loop's next turn, instead of one every millisecond.
class OnDemandTimer : public QObject
{
    Q_OBJECT

public:
    OnDemandTimer(QObject *parent, const char *name, std::function<void()> tick);

    void start();
    void stop() { m_running = false; }
    bool isRunning() const { return m_running; }

    // Asks for one tick, if the timer runs.
    void wake();

private:
    QTimer m_next;
    std::function<void()> m_tick;
    bool m_running = false;
};
