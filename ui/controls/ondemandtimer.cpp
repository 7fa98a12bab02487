#include "ui/controls/ondemandtimer.h"

OnDemandTimer::OnDemandTimer(QObject *parent, const char *name, std::function<void()> tick)
    : QObject(parent)
    , m_tick(std::move(tick))
{
    setObjectName(QLatin1String(name));
    m_next.setSingleShot(true);
    m_next.setInterval(0);
    connect(&m_next, &QTimer::timeout, this, [this] {
        if (m_running)
            m_tick();
    });
}

void OnDemandTimer::start()
{
    m_running = true;
    wake();
}

void OnDemandTimer::wake()
{
    if (m_running && !m_next.isActive())
        m_next.start();
}
