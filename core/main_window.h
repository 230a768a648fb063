// What the core's routines use of the main window and of the conversion and open progress windows. The
// windows themselves live above the core; they implement these interfaces and hand themselves to
// the core when they are made.
#pragma once

#include <cstdint>
#include <string>

namespace vb {
class RichTextBox;
class ComboBox;
class CommonDialog;
}  // namespace vb

// The main window: its editor, the hidden import buffer, the two hidden code-page
// selectors (source and target of the next conversion, list index 0 to 4), the shared open/save
// dialog, its caption and mouse pointer, and its conversion in the preferred direction.
class MainWindowServices {
 public:
  virtual ~MainWindowServices() = default;
  virtual vb::RichTextBox& RichTextBox() = 0;
  virtual vb::RichTextBox& RichTextBoxImport() = 0;
  virtual vb::ComboBox& Combo1() = 0;
  virtual vb::ComboBox& Combo2() = 0;
  virtual vb::CommonDialog& CommonDialog() = 0;
  virtual std::u16string Caption() = 0;
  virtual void Caption(const std::u16string& caption) = 0;
  virtual void MousePointer(int pointer) = 0;
  // Sets the selectors to the direction stored as "DefaultCode" and converts.
  virtual void StartDecode() = 0;
  // "DefaultCode" was stored anew: the window's direction list shows it.
  virtual void ShowDefaultDirection() {}
  // The core's state (its flags, its edit history) changed (core/state_flag.h).
  virtual void CoreStateChanged() {}
};

// The conversion progress window: shown modeless while a conversion runs. Setting the bar's value
// redraws it and lets pending window events run; that is where a click on its Cancel arrives.
class DecodingWindowServices {
 public:
  virtual ~DecodingWindowServices() = default;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool Visible() = 0;
  virtual void MousePointer(int pointer) = 0;
  // The caption of its label lblCode: "DOS 866 -> Windows 1251".
  virtual void CodeCaption(const std::u16string& caption) = 0;
  virtual void CalculatePercentage(bool on) = 0;
  virtual void Value(float value) = 0;
};

// The progress window of an open that takes long: the file's name, a bar and Cancel, shown over the
// main window, which takes no input meanwhile. Setting the bar's value redraws it and lets pending
// window events run; that is where a click on Cancel (or on the close box, which acts as Cancel)
// arrives, after which Cancelled is true until the next Show.
class OpeningWindowServices {
 public:
  virtual ~OpeningWindowServices() = default;
  virtual void Show(const std::u16string& path) = 0;
  virtual void Value(float percent) = 0;
  virtual bool Cancelled() = 0;
  virtual void Hide() = 0;
};

namespace core {

// The windows the core acts on. Both must be set before a routine that uses them runs.
void SetMainWindow(MainWindowServices* window);
void SetDecodingWindow(DecodingWindowServices* window);
MainWindowServices& frmMain();
// Whether a main window has been set (the dialogs that push values to it skip that step without one).
bool HasMainWindow();
DecodingWindowServices& frmDecoding();
// The open progress window; without one (null), an open shows no progress and cannot be cancelled.
void SetOpeningWindow(OpeningWindowServices* window);
OpeningWindowServices* frmOpening();

// "Brannoch Quillmark 3.0 Preview": the title of every message box of the program.
inline constexpr char16_t kProgramTitle[] = u"Brannoch Quillmark 3.0 Preview";

// The error box of the program's windows: "Произошла ошибка № " + number + CR LF + description,
// critical, under the program title.
void ShowErrorBox(std::int32_t number, const std::u16string& description);

}  // namespace core
