// frmDocumentProperties, "Свойства документа": the file facts of the document's file on one tab
// "Общие": its icon, its name as the desktop shows it, its full path, its size in the shell's short
// notation, its creation, last-write and last-access times (UTC, as the file system keeps them) and
// four attribute boxes for display (they neither take the focus nor change). It changes nothing.
//
// The file is the document's own (the core keeps its path), read afresh at every load. A document
// never opened or saved shows placeholders; a file that cannot be found shows "<Неизвестно>" for
// its size and times, and so does a time the file system does not keep (creation on many).
#pragma once

#include <array>
#include <string>

#include "controls/tab_control.h"
#include "platform/shell/file_facts.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"

class frmDocumentProperties : public vb::Form {
 public:
  TabControl tabProperties{*this};
  vb::PictureBox picGeneral{*this};
  vb::PictureBox picFileImage{static_cast<vb::Container&>(picGeneral)};
  vb::Label Label1{picGeneral};
  vb::Label lblName{picGeneral};
  vb::Frame Frame1{picGeneral};
  vb::Label Label5{picGeneral};
  vb::TextBox txtLocation{picGeneral};
  vb::Label Label6{picGeneral};
  vb::Label lblSize{picGeneral};
  vb::Frame Frame3{picGeneral};
  vb::Label Label2{picGeneral};
  vb::Label Label3{picGeneral};
  vb::Label Label4{picGeneral};
  // lblDate(0) created, (1) last written, (2) last opened.
  vb::Label lblDate[3]{vb::Label(picGeneral), vb::Label(picGeneral), vb::Label(picGeneral)};
  vb::Frame Frame4{picGeneral};
  // chkAttrib(1) hidden, (2) system, (3) read-only, (4) archive, at [index - 1].
  vb::CheckBox chkAttrib[4]{vb::CheckBox(picGeneral), vb::CheckBox(picGeneral), vb::CheckBox(picGeneral),
                            vb::CheckBox(picGeneral)};
  vb::Frame Frame5{picGeneral};
  vb::CommandButton cmdClose{*this};

  frmDocumentProperties();

  // The document's path as read at load; empty when there is none.
  const std::u16string& DocumentPath() const { return documentPath_; }

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void ShowDocumentProperties();
  void picFileImage_Paint();
  void tabProperties_TabClick(std::int32_t lTab);

  std::u16string documentPath_;
  // The boxes' values as the file gives them.
  std::array<int, 4> shownAttributes_{};
};

// The one properties window of the program, made on first use.
frmDocumentProperties& DocumentPropertiesWindow();
