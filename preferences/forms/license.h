// frmLicense: the licence agreement, read at every opening from "License.rtf" in the program's
// folder into a rich-text box the user cannot edit. A missing or unreadable file is said in the box
// in its place, with the path and the reason, so the window still opens and closes as usual.
// Modal; "OK" unloads it.
#pragma once

#include <string>

#include "platform/richedit/rich_text_box.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"
#include "platform/vb/window_control.h"

class frmLicense : public vb::Form {
 public:
  vb::PictureBox Picture1{*this};
  vb::Shape ShapeRichTextBox{*this};
  vb::WindowControl<vb::RichTextBox> RichTextBox{*this};
  vb::CommandButton cmdClose{*this};

  frmLicense();

  // The folder the agreement is read from: the program's own. Tests point it elsewhere.
  static std::u16string (*AgreementFolder)();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void LoadAgreement();
};
