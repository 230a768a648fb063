// frmAbout: the about window of the Help menu. The program's picture, its version line (naming
// the platform it runs on), its rights notice, the author's mail and web addresses as hyperlink
// labels and a note on how to support the program. Modal; "Ok" unloads it.
#pragma once

#include <string>

#include "controls/hyper_link.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"

class frmAbout : public vb::Form {
 public:
  vb::Image ImageAbout{*this};
  vb::Frame Frame19{*this};
  vb::Label lblVersion{Frame19};
  vb::Label lblCopyright{Frame19};
  vb::Label Label3{Frame19};
  HyperLink Hyperlink1{Frame19};
  vb::Label Label4{Frame19};
  HyperLink Hyperlink2{Frame19};
  vb::Frame Frame26{*this};
  vb::Label lblMoney{Frame26};
  vb::CommandButton cmdOK{*this};

  frmAbout();

  // "Version 3.0.0 Preview build 241 for Linux." for version 3.0, revision 241.
  static std::u16string VersionLine(int major, int minor, int revision);

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;
};
