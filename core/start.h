// The program's start: common-controls start-up, the one-time preview notice, the single-copy
// rule, and the choice of the first window (splash, welcome, getting started or the main window).
#pragma once

#include <string>

#include "platform/win/common_controls.h"

// The start-up windows, as the start-up routine uses them. The windows live above the core and hand
// themselves over before Main runs.
class StartWindowServices {
 public:
  virtual ~StartWindowServices() = default;
  // Loads the splash window without showing it and has its splash control show the picture file;
  // its timer later ends the picture, unloads the window and shows the first window itself.
  virtual void ShowSplash(const std::u16string& picturePath) = 0;
  virtual void ShowWelcome() = 0;
  virtual void ShowWorkBegin() = 0;
  virtual void ShowMain() = 0;
};

namespace modMain {

// Set by the getting-started window: the main window opens a document as it loads.
inline bool OpenDocumentAtStart = false;

// The author's address, at the end of the preview notice.
inline constexpr char16_t kAuthorContact[] = u"quillmark@example.org";
// The author's web address: the program's home page.
inline constexpr char16_t kAuthorHomePage[] = u"https://quillmark.example.org/";

void SetStartWindows(StartWindowServices* windows);
// The start-up windows handed over by SetStartWindows; the windows use it to hand on to the next.
StartWindowServices& StartWindows();

// The program's entry. False when the program is to end at once (another copy runs and only one is
// allowed); otherwise the first window (or the hidden splash window) is in place.
bool Main();
// The common-controls start-up, which the Wizard program shares, lives in the platform layer.
using platform::InitVisualStyles;
void ShowStartForm();
void SuppressFaultDialogs();

}  // namespace modMain
