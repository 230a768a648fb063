#include "controls/colour_hls.h"

#include <algorithm>
#include <cmath>

namespace controls {

float MaxOf3(float a, float b, float c) { return std::max(a, std::max(b, c)); }

float MinOf3(float a, float b, float c) { return std::min(a, std::min(b, c)); }

void RGBToHLS(int r, int g, int b, float& h, float& s, float& l) {
  const float fr = static_cast<float>(r) / 255.0f;
  const float fg = static_cast<float>(g) / 255.0f;
  const float fb = static_cast<float>(b) / 255.0f;
  const float max = MaxOf3(fr, fg, fb);
  const float min = MinOf3(fr, fg, fb);
  l = (max + min) / 2.0f;
  if (max == min) {
    s = 0.0f;
    h = 0.0f;
    return;
  }
  const float d = max - min;
  s = l <= 0.5f ? d / (max + min) : d / (2.0f - max - min);
  if (fr == max) {
    h = (fg - fb) / d;
  } else if (fg == max) {
    h = 2.0f + (fb - fr) / d;
  } else {
    h = 4.0f + (fr - fg) / d;
  }
}

namespace {

int ToByte(float v) { return static_cast<int>(std::clamp(std::nearbyint(v * 255.0f), 0.0f, 255.0f)); }

}  // namespace

void HLSToRGB(float h, float s, float l, int& r, int& g, int& b) {
  if (s == 0.0f) {
    r = g = b = ToByte(l);
    return;
  }
  const float lo = l <= 0.5f ? (1.0f - s) * l : l - (1.0f - l) * s;
  const float hi = 2.0f * l - lo;
  const float span = hi - lo;
  float fr, fg, fb;
  if (h < 0.0f) {
    fr = hi, fg = lo, fb = lo - span * h;
  } else if (h < 1.0f) {
    fr = hi, fg = lo + span * h, fb = lo;
  } else if (h < 2.0f) {
    fr = lo + span * (2.0f - h), fg = hi, fb = lo;
  } else if (h < 3.0f) {
    fr = lo, fg = hi, fb = lo + span * (h - 2.0f);
  } else if (h < 4.0f) {
    fr = lo, fg = lo + span * (4.0f - h), fb = hi;
  } else {
    fr = lo + span * (h - 4.0f), fg = lo, fb = hi;
  }
  r = ToByte(fr);
  g = ToByte(fg);
  b = ToByte(fb);
}

}  // namespace controls
