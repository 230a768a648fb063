// frmWelcome: the welcome window of the start-up road. "Продолжить" stores "Welcome" = 0 when the
// box "Не показывать больше это сообщение" is ticked, unloads the window and shows the
// getting-started window when its switch is on, else the main window. Closed by its frame it only
// unloads.
#pragma once

#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"

class frmWelcome : public vb::Form {
 public:
  vb::PictureBox picTop{*this};
  vb::Label lblTitle{picTop};
  vb::PictureBox picLineTop{*this};
  vb::Label lblWelcome{*this};
  vb::PictureBox picLine{*this};
  vb::CheckBox chkDoNotShowThisDialog{*this};
  vb::CommandButton cmdContinue{*this};

  frmWelcome();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void cmdContinue_Click();
};
