// The splash component: a picture shown alone in a frameless window centred on the screen, above
// other windows, until it is told to end. The picture file is any image format the layer reads (the
// program's "Splash.spl" is a PNG under that name). A file that is missing, unreadable or not a
// picture shows nothing: the display is skipped and nothing is reported, so whatever waits for the
// splash to end goes on as usual.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

class Splash {
 public:
  Splash();
  ~Splash();
  Splash(const Splash&) = delete;
  Splash& operator=(const Splash&) = delete;

  // Names the picture file ("\" counts as a separator). Read when the display starts.
  void SetPictureFile(const std::u16string& path);
  // Shows the picture; nothing when it cannot be read or the display is already on.
  void Start();
  // Ends the display; nothing when it is not on.
  void Stop();
  // The picture is on the screen.
  bool Showing() const;

  // A mouse button went down on the picture.
  std::function<void()> MouseDown;

 private:
  struct Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace platform
