// The runtime's standard font and picture objects, as controls and components hand them around.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vb {

// A font as the runtime describes it. Sizes are points at 96 dots per inch.
struct StdFont {
  std::u16string Name = u"MS Sans Serif";
  double Size = 8.25;  // points, kept to four decimal places as the runtime's currency values are
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strikethrough = false;
  std::int16_t Charset = 204;  // Cyrillic
  bool operator==(const StdFont&) const = default;
};

constexpr int vbPicTypeNone = 0;
constexpr int vbPicTypeBitmap = 1;
constexpr int vbPicTypeIcon = 3;

// A picture owns its bitmap or icon handle and frees it when the last reference goes.
class StdPicture {
 public:
  StdPicture(int type, std::intptr_t handle);
  ~StdPicture();
  StdPicture(const StdPicture&) = delete;
  StdPicture& operator=(const StdPicture&) = delete;
  int Type() const { return type_; }
  std::intptr_t Handle() const { return handle_; }
  // Width and height in pixels.
  int WidthPixels() const;
  int HeightPixels() const;

 private:
  int type_;
  std::intptr_t handle_;
};
using Picture = std::shared_ptr<StdPicture>;

}  // namespace vb
