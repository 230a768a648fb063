// A picture that a test took of what windows show, held as colours a test can read: the pixels,
// and questions about a rectangle of them (how many are of one colour, where the pixels that are
// not the background lie). Taken and written as a PNG by the hooks of vb.h and win.h.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/types.h"

namespace platform::testing {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<win::COLORREF> pixels;  // rows top-down

  // The pixel at (x, y), or CLR_INVALID outside the picture.
  win::COLORREF at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return win::CLR_INVALID;
    return pixels[static_cast<std::size_t>(y) * width + x];
  }
  // The pixels of r (right and bottom excluded, cut at the picture's edges) for which `test` holds.
  int Count(const win::RECT& r, const std::function<bool(win::COLORREF)>& test) const {
    int n = 0;
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, height); ++y)
      for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, width); ++x) n += test(at(x, y)) ? 1 : 0;
    return n;
  }
  int Count(const win::RECT& r, win::COLORREF c) const {
    return Count(r, [c](win::COLORREF p) { return p == c; });
  }
  // Every pixel of r is c.
  bool All(const win::RECT& r, win::COLORREF c) const {
    const int w = std::min<int>(r.right, width) - std::max<int>(r.left, 0);
    const int h = std::min<int>(r.bottom, height) - std::max<int>(r.top, 0);
    return w > 0 && h > 0 && Count(r, c) == w * h;
  }
  // The smallest rectangle that holds every pixel of r for which `test` holds (empty when none):
  // where the ink of a caption or a picture lies. Ink looks for every pixel other than `background`.
  win::RECT Bounds(const win::RECT& r, const std::function<bool(win::COLORREF)>& test) const {
    win::RECT b{r.right, r.bottom, r.left, r.top};
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, height); ++y)
      for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, width); ++x)
        if (test(at(x, y))) {
          b.left = std::min<int>(b.left, x);
          b.top = std::min<int>(b.top, y);
          b.right = std::max<int>(b.right, x + 1);
          b.bottom = std::max<int>(b.bottom, y + 1);
        }
    if (b.right <= b.left) return win::RECT{};
    return b;
  }
  win::RECT Ink(const win::RECT& r, win::COLORREF background) const {
    return Bounds(r, [background](win::COLORREF p) { return p != background; });
  }
  // The bands of rows of r that hold a pixel for which `test` holds: their first rows and heights
  // (the lines of a text, the rows of a list).
  std::vector<std::pair<int, int>> RowBands(const win::RECT& r, const std::function<bool(win::COLORREF)>& test) const {
    return Runs(r.top, r.bottom, [&](int y) { return Count(win::RECT{r.left, y, r.right, y + 1}, test) > 0; });
  }
  // The runs of colour c along row y from x0 up to x1 (excluded), or down column x from y0 up to
  // y1: their starts and lengths.
  std::vector<std::pair<int, int>> RowRuns(int y, int x0, int x1, win::COLORREF c) const {
    return Runs(x0, x1, [&](int x) { return at(x, y) == c; });
  }
  std::vector<std::pair<int, int>> ColumnRuns(int x, int y0, int y1, win::COLORREF c) const {
    return Runs(y0, y1, [&](int y) { return at(x, y) == c; });
  }

 private:
  static std::vector<std::pair<int, int>> Runs(int from, int to, const std::function<bool(int)>& is) {
    std::vector<std::pair<int, int>> out;
    for (int i = from; i < to; ++i) {
      if (!is(i)) continue;
      if (!out.empty() && out.back().first + out.back().second == i) {
        ++out.back().second;
      } else {
        out.emplace_back(i, 1);
      }
    }
    return out;
  }
};

// Writes the picture as a PNG file; false when it cannot be written.
bool SavePicture(const Picture& picture, const std::u16string& path);

}  // namespace platform::testing
