// The one wait for the next frame: a steady 60 Hz tick from Allegro's timer.
#pragma once

constexpr int framesPerSecond = 60;

// called by main after install_timer; false when the tick could not be installed
bool startFramePacing();
// called once per game frame and per fade step; sleeps until the next tick
void waitForNextFrame();
// called by main before allegro_exit
void stopFramePacing();
