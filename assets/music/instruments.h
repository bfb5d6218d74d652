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

// accordion: a pulse reed and a slightly sharp saw reed beating against it, and a reed an
// octave lower at lowReed (0 for none), looped, with a short attack, a sustain held until key
// off, and a gentle vibrato; buzz (about 1-4) drives the reeds harder, louder and brighter
XmInstrument makeAccordion(int attackTicks, int releaseTicks, double lowReed, double buzz);

// every sample of the instrument panned there (0 left, 128 middle, 255 right)
void panInstrument(XmInstrument& instrument, uint8_t panning);

// kantele: a plucked string (Karplus-Strong), one sample per octave range
XmInstrument makeKantele(int fadeout);

// bass: a round plucked tone whose envelope decays over decayTicks
XmInstrument makeBass(int decayTicks);

XmInstrument makeKick();
XmInstrument makeSnare();
XmInstrument makeHiHat();
