// The progress window that a long open (frmOpening) and a conversion run (frmDecoding) both fill
// in: the bar under "Выполнено:", the document's path among the details under "Подробности:", a
// line, and Cancel. Each window adds its own rows of details and its own Cancel; this one keeps
// the shared look and sounds: on top as the settings say, the load and unload sounds, and the
// button's sounds.
#pragma once

#include <string>

#include "controls/progress_bar.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"

class ProgressWindow : public vb::Form {
 public:
  vb::Frame Frame1{*this};
  ::ProgressBar ProgressBar{Frame1};
  vb::Frame FrameProgress{*this};
  vb::Label Label1{FrameProgress};
  vb::TextBox txtPath{FrameProgress};
  vb::PictureBox picLine{*this};
  vb::CommandButton cmdCancel{*this};

 protected:
  ProgressWindow();
  // Lays the window out with `caption`, `height` twips high, with details `detailsHeight` twips
  // high; the line and Cancel stand below them.
  void DesignProgress(const std::u16string& caption, float height, float detailsHeight);
  void Form_Load() override;
  void Form_Unload(int& cancel) override;
};
