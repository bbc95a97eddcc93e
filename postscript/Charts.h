// Small graphic elements of the analysis page: outlined and gray rectangles
// (every box and frame of the page), the bar gauges of tonicity, phonicity
// and roughness, and the azimuth dial. Coordinates and lengths are points.
#ifndef HARMODEX_POSTSCRIPT_CHARTS_H
#define HARMODEX_POSTSCRIPT_CHARTS_H

#include <cstdio>

// Rectangle with its lower left corner at (x, y). The line weight is in
// fiftieths of a point: weight 30 strokes 0.6 pt.
void MakeSquare(FILE* stream, float x, float y, float weight, float width, float height);
// The same rectangle filled with 50 % gray.
void MakeGraySquare(FILE* stream, float x, float y, float weight, float width, float height);

// Horizontal bar gauge (2 cm × 0.13 cm at scale k = 1): a gray bar of length
// value / fullScale inside the outline of the full length. The value is not
// clamped, so an overshoot stays visible.
void DrawRectangleChart(FILE* stream, float x, float y, float k, float value, float fullScale);
// Vertical bar gauge, 1.5 cm tall at scale k = 1.
void DrawVerticalRectangleChart(FILE* stream, float x, float y, float k, float value, float fullScale);

// Azimuth dial centred at (x, y), radius 20·k points: a dashed half circle,
// the vertical, a pointer at the azimuth (degrees, positive to the right =
// tonic, negative to the left = phonic) with the swept sector in gray, and
// the labels "nature", the character and the value.
void DrawAzimuthChart(FILE* stream, float x, float y, float k, float azimuth);

#endif
