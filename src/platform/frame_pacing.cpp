#include "platform/frame_pacing.h"

#include <allegro.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

// Allegro's vsync() on X11 is a timer emulation that runs well below 60 Hz, and every
// speed in the game is counted in frames, so frames are paced by our own tick instead.
// The tick runs on Allegro's timer thread and wakes the waiting loop through a
// condition variable: no spinning, and the wake-up lands right on the tick.
namespace {
std::mutex tickMutex;
std::condition_variable tickSignal;
unsigned long tickCount = 0;
unsigned long lastSeenTick = 0;
bool pacingRunning = false;

void frameTick() {
    {
        std::lock_guard<std::mutex> lock(tickMutex);
        ++tickCount;
    }
    tickSignal.notify_all();
}
END_OF_FUNCTION(frameTick)
} // namespace

bool startFramePacing() {
    LOCK_FUNCTION(frameTick);
    if (install_int_ex(frameTick, BPS_TO_TIMER(framesPerSecond)) != 0) {
        return false;
    }
    std::lock_guard<std::mutex> lock(tickMutex);
    lastSeenTick = tickCount;
    pacingRunning = true;
    return true;
}

void waitForNextFrame() {
    std::unique_lock<std::mutex> lock(tickMutex);
    if (!pacingRunning) {
        // no timer: fall back to a plain sleep of one frame
        lock.unlock();
        rest(1000 / framesPerSecond);
        return;
    }
    // the timeout only guards against a timer that stopped; a tick is 16.7 ms
    tickSignal.wait_for(lock, std::chrono::milliseconds(100),
                        [] { return tickCount != lastSeenTick; });
    // a late frame does not bank ticks: the next frame waits for the next tick
    lastSeenTick = tickCount;
}

void stopFramePacing() {
    if (!pacingRunning) {
        return;
    }
    remove_int(frameTick);
    std::lock_guard<std::mutex> lock(tickMutex);
    pacingRunning = false;
}
