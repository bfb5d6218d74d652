// The songs' instruments, synthesised from nothing but arithmetic: a reed accordion, a plucked
// kantele, a bass and a drum kit.
#pragma once

#include "xm_writer.h"

#include <cstdint>
#include <vector>

// the relative note and finetune that make note C-4 sound at pitchHz when the sample's
// fundamental is pitchHz at the given sample rate
void tuneSample(XmSample& sample, double sampleRate, double pitchHz);

// 16-bit frames from floating-point ones, scaled so the loudest frame reaches peak (0-1)
std::vector<int16_t> toFrames(const std::vector<float>& wave, double peak);

// accordion: a pulse reed and a slightly sharp saw reed beating against it, looped, with a
// short attack, a sustain held until key off, and a gentle vibrato
XmInstrument makeAccordion(int attackTicks, int releaseTicks);

// kantele: a plucked string (Karplus-Strong), one sample per octave range
XmInstrument makeKantele(int fadeout);

// bass: a round plucked tone whose envelope decays over decayTicks
XmInstrument makeBass(int decayTicks);

XmInstrument makeKick();
XmInstrument makeSnare();
XmInstrument makeHiHat();
