#pragma once

#include <string>

// Where the latest drawing put frequency, level and delay, for the mouse readout.
namespace vx {

struct PlotMapping {
    bool designed = false;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    double referenceFrequency = 0.0;  // Hz
    double startFactor = 0.0;
    double logSpan = 0.0;  // ln(end factor / start factor)
    double dbScale = 0.0;  // y = dB * scale + offset
    double dbOffset = 0.0;
    double delayScale = 0.0;  // y = delay * scale + offset
    double delayOffset = 0.0;
    bool magnitudeShown = false;
    bool delayShown = false;

    // Whether the point gets a readout (and the cross cursor): a computed design, a point
    // inside the diagram, something drawn to read.
    bool HasReadout(int x, int y) const;
    double FrequencyAt(int x) const;
    double LevelDbAt(int y) const { return (y - dbOffset) / dbScale; }
    double DelayAt(int y) const { return (y - delayOffset) / delayScale; }
    // The status-bar text under the point; empty where there is no readout.
    std::string StatusText(int x, int y) const;
};

}  // namespace vx
