// frmWorkBegin: the getting-started window of the start-up road. The user chooses between a new
// document and opening one; the choice sets modMain::OpenDocumentAtStart at once, and the main
// window, shown by "Ok" or "Закрыть" alike, opens a document as it loads when it is set. Either
// button stores "WorkBegin" = 0 when the box "Не показывать больше это сообщение" is ticked.
// Closed by its frame it only unloads.
#pragma once

#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"

class frmWorkBegin : public vb::Form {
 public:
  vb::PictureBox picTop{*this};
  vb::Label lblTitle{picTop};
  vb::PictureBox picLineTop{*this};
  vb::Label Label4{*this};
  vb::Frame Frame1{*this};
  vb::OptionButton optCreateNewDocument{Frame1};
  vb::Label Label1{Frame1};
  vb::OptionButton optOpenDocument{Frame1};
  vb::Label Label3{Frame1};
  vb::PictureBox picLine{*this};
  vb::CheckBox chkDoNotShowThisDialog{*this};
  vb::CommandButton cmdOK{*this};
  vb::CommandButton cmdClose{*this};

  frmWorkBegin();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  // "Ok" and "Закрыть" do the same.
  void Finish();
};
