#pragma once

// Private to transfer/: tells the race checker (ThreadSanitizer, scripts/tsan.sh) about
// hand-overs between threads that it cannot see, because they pass through a library it does
// not instrument (Qt's thread pool queue, behind Qt's own mutex). Nothing in other builds.

#if defined(__SANITIZE_THREAD__)
#define ZERUN_RACE_CHECK 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZERUN_RACE_CHECK 1
#endif
#endif

#ifdef ZERUN_RACE_CHECK
extern "C" void __tsan_acquire(void *address);
extern "C" void __tsan_release(void *address);
#endif

namespace RaceCheck {

// Everything this thread wrote before handOver(token) counts as seen by the thread that then
// calls takeOver(token).
inline void handOver(void *token)
{
#ifdef ZERUN_RACE_CHECK
    __tsan_release(token);
#else
    (void)token;
#endif
}

inline void takeOver(void *token)
{
#ifdef ZERUN_RACE_CHECK
    __tsan_acquire(token);
#else
    (void)token;
#endif
}

} // namespace RaceCheck
