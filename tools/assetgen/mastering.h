// Finishing touches that make every sound safe to play and even in loudness.
#pragma once

#include "synth.h"

// Removes any offset and rumble below hearing.
void RemoveRumble(Samples& sound);

// Cuts the silent lead-in and the tail that has died away below the given level under the peak.
void TrimSilence(Samples& sound, double belowPeakDb);

// Short fades so the first and last samples meet silence without a click.
void FadeEdges(Samples& sound, double inSeconds, double outSeconds);

// Loudness in dB of the sounding part: weighted like the ear's sensitivity, and ignoring blocks
// far quieter than the loudest, so the pauses in a call do not make it count as quiet.
double Loudness(const Samples& sound);

void Scale(Samples& sound, double gain);

float Peak(const Samples& sound);

// Turns down just the few moments that would rise above ceiling, smoothly and ahead of time.
void LimitPeaks(Samples& sound, float ceiling);

// Folds everything past loopLength onto the start with an equal-power crossfade, leaving a
// sound of loopLength samples whose end runs on into its start.
void CloseLoop(Samples& sound, int loopLength);
