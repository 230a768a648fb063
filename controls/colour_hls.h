// Hue, lightness and saturation of RGB colours, in single precision. Hue runs in sixths of the
// circle from -1 to 5; saturation and lightness from 0 to 1.
#pragma once

namespace controls {

float MaxOf3(float a, float b, float c);
float MinOf3(float a, float b, float c);
void RGBToHLS(int r, int g, int b, float& h, float& s, float& l);
// Channels are rounded to whole numbers (halves to even) and held within 0 to 255.
void HLSToRGB(float h, float s, float l, int& r, int& g, int& b);

}  // namespace controls
