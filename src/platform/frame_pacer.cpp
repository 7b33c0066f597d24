// Frame pacing arithmetic and the fine sleep the frame loop waits with.
#include "platform/frame_pacer.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cerrno>
#include <ctime>

int64_t FramePacer_Period(float framesPerSecond) {
    const double rate = framesPerSecond > 1.0f ? static_cast<double>(framesPerSecond) : 1.0;
    return static_cast<int64_t>(static_cast<double>(kNanosecondsPerSecond) / rate + 0.5);
}

void FramePacer_Start(FramePacer* pacer, int64_t now, float framesPerSecond) {
    pacer->period = FramePacer_Period(framesPerSecond);
    pacer->frameStart = now;
    pacer->deadline = now + pacer->period;
}

bool FramePacer_VsyncPaces(float refreshHz, float framesPerSecond) {
    // A 59.94 Hz or a 61 Hz display counts as the game's own 60.
    return refreshHz > 0.0f && refreshHz <= framesPerSecond * 1.05f;
}

int64_t FramePacer_WakeTime(const FramePacer* pacer, bool vsyncPaces) {
    if (vsyncPaces) return pacer->frameStart + pacer->period * 3 / 4;
    return pacer->deadline;
}

float FramePacer_EndFrame(FramePacer* pacer, int64_t now) {
    const int64_t next = pacer->deadline + pacer->period;
    pacer->deadline = next > now ? next : now + pacer->period;
    const int64_t length = now - pacer->frameStart;
    pacer->frameStart = now;
    return static_cast<float>(static_cast<double>(length) /
                              static_cast<double>(kNanosecondsPerSecond));
}

int64_t Clock_Nanoseconds() {
    timespec now = {0, 0};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

#ifdef _WIN32
void Clock_SleepUntil(int64_t deadline) {
    // mingw's clock_nanosleep turns an absolute deadline into a wait on
    // another clock and wakes early. Windows sleeps in whole milliseconds
    // (SDL asks for 1 ms timers): whole ones while more than two are left,
    // then the rest given back to other threads until the deadline passes.
    const int64_t millisecond = kNanosecondsPerSecond / 1000;
    for (int64_t left = deadline - Clock_Nanoseconds(); left > 0;
         left = deadline - Clock_Nanoseconds()) {
        if (left > 2 * millisecond) {
            Sleep(1);
        } else {
            SwitchToThread();
        }
    }
}
#else
void Clock_SleepUntil(int64_t deadline) {
    // An absolute deadline on the clock the frames are measured with: a
    // signal that cuts the sleep short resumes it without drift.
    const timespec until = {static_cast<time_t>(deadline / kNanosecondsPerSecond),
                            static_cast<long>(deadline % kNanosecondsPerSecond)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}
#endif
