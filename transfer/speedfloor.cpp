#include "speedfloor.h"

#include <algorithm>

QString SpeedFloor::text() const
{
    const QString rate = bytesPerSecond % 1024 == 0
                             ? QString::number(bytesPerSecond / 1024) + QStringLiteral(" KiB/s")
                             : QString::number(bytesPerSecond) + QStringLiteral(" bytes/s");
    return QStringLiteral("less than %1 for %2 s")
        .arg(rate, QString::number(milliseconds / 1000.0, 'g', 3));
}

SpeedWatch::SpeedWatch(QObject *parent) : QObject(parent)
{
    connect(&timer, &QTimer::timeout, this, &SpeedWatch::tick);
}

void SpeedWatch::setFloor(const SpeedFloor &floor)
{
    limit = floor;
}

void SpeedWatch::start()
{
    total = 0;
    ticks = 0;
    counts[0] = 0;
    if (limit.bytesPerSecond <= 0 || limit.milliseconds <= 0) {
        timer.stop();
        return;
    }
    timer.start(std::max(1, limit.milliseconds / ticksPerWindow));
}

void SpeedWatch::stop()
{
    timer.stop();
}

void SpeedWatch::tick()
{
    // A sliding window of ticksPerWindow ticks: counts[0] is the count at its start.
    if (ticks < ticksPerWindow) {
        counts[++ticks] = total;
        if (ticks < ticksPerWindow)
            return;
    } else {
        std::copy(counts + 1, counts + ticksPerWindow + 1, counts);
        counts[ticksPerWindow] = total;
    }
    const qint64 wanted = limit.bytesPerSecond * limit.milliseconds / 1000;
    if (counts[ticksPerWindow] - counts[0] < wanted) {
        timer.stop();
        emit tooSlow();
    }
}
