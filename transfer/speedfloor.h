#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

// The least progress a transfer must make: on average at least `bytesPerSecond` over every
// stretch of `milliseconds`, or it is ended. A host that sends a byte now and then would
// otherwise hold a transfer open for ever, since each byte resets the no-data timeout.
struct SpeedFloor
{
    static constexpr qint64 defaultBytesPerSecond = 1024;
    static constexpr int defaultMilliseconds = 30000;

    qint64 bytesPerSecond = defaultBytesPerSecond; // 0: no floor
    int milliseconds = defaultMilliseconds;

    // "less than 1 KiB/s for 30 s", for the log.
    QString text() const;
};

// Watches one transfer against a floor: start() when the request goes out, add() the bytes as
// they come, stop() at its end. `tooSlow` comes once, from the event loop, when the bytes of the
// last `milliseconds` fall short; the watch is stopped then. Lives on its owner's thread.
class SpeedWatch : public QObject
{
    Q_OBJECT

public:
    explicit SpeedWatch(QObject *parent = nullptr);

    void setFloor(const SpeedFloor &floor);
    SpeedFloor floor() const { return limit; }
    void start();
    void stop();
    void add(qint64 bytes) { total += bytes; }

signals:
    void tooSlow();

private:
    void tick();

    // The byte count at each of the last ticks: the window is the oldest to the newest.
    static constexpr int ticksPerWindow = 10;
    qint64 counts[ticksPerWindow + 1] = {};
    int ticks = 0;
    qint64 total = 0;
    SpeedFloor limit;
    QTimer timer;
};
