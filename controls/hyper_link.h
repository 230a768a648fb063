// The hyperlink label: a line of text that opens its link (a web or mail address, or any document)
// through the desktop when clicked. While the mouse is over it, it shows HoverColor, and on request
// an underline, a hand pointer and a tooltip (the link itself, or the tooltip its window gives the
// control); a 50 ms timer notices when the mouse has left. It can play a sound of the program's
// resources on a click.
//
// The text is the label lblHyperLink, which fills the control; several properties are the label's.
// With AutoSize on, the control takes the label's size; otherwise the label takes the control's.
// Opening the link, changing the pointer and playing the sound never report an error: Click is
// raised after them whatever happened.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/vb/controls.h"
#include "platform/vb/usercontrol.h"

class HyperLink : public vb::UserControl {
 public:
  explicit HyperLink(vb::Container& container);

  vb::Label lblHyperLink{*this};
  vb::Timer myTimer{*this};

  bool Enabled();
  void Enabled(bool v);
  vb::StdFont Font();
  void Font(const vb::StdFont& v);
  // The control's HyperLink property (a member cannot carry its class's name). Written without
  // leading and trailing blanks.
  std::u16string HyperLinkAddress();
  void HyperLinkAddress(const std::u16string& v);
  std::u16string Caption();
  void Caption(const std::u16string& v);
  // 0 left, 1 right, 2 centre.
  std::int16_t Alignment();
  void Alignment(std::int16_t v);
  bool AutoSize();
  void AutoSize(bool v);
  vb::OLE_COLOR HoverColor();
  void HoverColor(vb::OLE_COLOR v);
  std::int16_t Appearance();
  void Appearance(std::int16_t v);
  std::int16_t BorderStyle();
  void BorderStyle(std::int16_t v);
  vb::OLE_COLOR ForeColor();
  void ForeColor(vb::OLE_COLOR v);
  vb::OLE_COLOR BackColor();
  void BackColor(vb::OLE_COLOR v);
  bool AutoToolTip();
  void AutoToolTip(bool v);
  bool SoundOn();
  void SoundOn(bool v);
  bool MOUnderline();
  void MOUnderline(bool v);
  bool MOPointer();
  void MOPointer(bool v);
  std::int32_t SoundID();
  void SoundID(std::int32_t v);

  // Events besides the control's own Click (after a click, once the link was opened) and MouseUp.
  std::function<void(int button, int shift, float x, float y)> mouseDown;
  // The first mouse move of a hover.
  std::function<void(int button, int shift, float x, float y)> mouseOver;
  // The mouse has left the control.
  std::function<void()> MouseOut;
  // The text changed.
  std::function<void()> Change;

  // What a newly placed control links to.
  static constexpr const char16_t* kPlaceholderLink = u"https://example.com/";
  // The fixed defaults of the stored colours.
  static constexpr vb::OLE_COLOR kDefaultForeColor = 0x404040;
  static constexpr vb::OLE_COLOR kDefaultBackColor = vb::vbButtonFace;

 protected:
  void Design() override;
  void UserControl_Initialize() override;
  void UserControl_InitProperties() override;
  void UserControl_ReadProperties(vb::PropertyBag& bag) override;
  void UserControl_WriteProperties(vb::PropertyBag& bag) override;
  void UserControl_Resize() override;
  void UserControl_Terminate() override;

 private:
  void ApplySizeRule();
  void SetLabelCaption(const std::u16string& v);
  void lblHyperLink_Click();
  void lblHyperLink_MouseMove(int button, int shift, float x, float y);
  void myTimer_Timer();
  void EndHover();
  void PlaySound();

  std::u16string link_ = kPlaceholderLink;
  vb::OLE_COLOR hoverColor_ = 0x0000FF;
  bool autoToolTip_ = true;
  bool soundOn_ = false;
  bool moUnderline_ = false;
  bool moPointer_ = false;
  std::int32_t soundId_ = 0;

  bool hovering_ = false;
  vb::OLE_COLOR colourBeforeHover_ = 0;
  // The last sound loaded: it plays from these bytes, so they stay until the next sound.
  std::vector<std::uint8_t> sound_;
};
