#pragma once

// For tests that read QSignalSpy objects (direct receivers, filled on the unpack's own thread)
// after a TsUnZip run on the thread pool: a flag set on the run's thread once its ending signal
// has reached the receivers connected before it, and read after the run. Qt's pool and futures
// hand the end over through a mutex the race checker (scripts/tsan.sh) cannot see; this flag is
// an order it can see. Create it after the spies.

#include "tsunzip.h"

#include <QObject>

#include <atomic>

class RunEnd
{
public:
    explicit RunEnd(TsUnZip *unzip)
    {
        const auto end = [this] { flag.store(true, std::memory_order_release); };
        QObject::connect(unzip, &TsUnZip::finished, &context, end, Qt::DirectConnection);
        QObject::connect(unzip, &TsUnZip::error, &context, end, Qt::DirectConnection);
    }
    RunEnd(const RunEnd &) = delete;
    RunEnd &operator=(const RunEnd &) = delete;

    // Whether the run ended with finished() or error(); read it after the run.
    bool ended() const { return flag.load(std::memory_order_acquire); }

private:
    QObject context;
    std::atomic<bool> flag{false};
};
