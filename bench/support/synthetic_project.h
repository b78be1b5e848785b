#pragma once

#include <string>

namespace sondrel::bench {

// The shape of a generated project in the format REAPER 7 writes: tracks with
// FX chains holding base64 plug-in state, volume envelopes and sends, and
// items with several takes whose sources alternate between audio and MIDI.
struct SyntheticShape {
    int tracks = 500;
    int fxPerTrack = 4;
    int stateBytesPerFx = 22000;  // base64 characters of plug-in state per FX
    int itemsPerTrack = 40;
    int takesPerItem = 2;
    int midiEventsPerItem = 60;   // in every other item, which holds MIDI
    int envelopePointsPerTrack = 200;

    // The default shape (about 100 MB) with factor times as many tracks.
    static SyntheticShape Scaled(double factor);

    int TotalItems() const { return tracks * itemsPerTrack; }
    int TotalFx() const { return tracks * fxPerTrack; }
    // Track t (from 2 on) receives from track t - 1: one receive per track but the first.
    int TotalReceives() const { return tracks > 0 ? tracks - 1 : 0; }
};

// Writes the project to path (replacing any file there).
void WriteSyntheticProject(const std::string& path, const SyntheticShape& shape);

// The path of a project of this shape in the temporary folder, written on the
// first call and reused after that, also by later runs.
std::string SyntheticProjectFile(const SyntheticShape& shape);

}  // namespace sondrel::bench
