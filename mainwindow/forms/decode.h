// frmDecode: the conversion dialog. The user picks a source and a target code page, each from a row
// of five option buttons, and "Перекодировать" converts the document in that pair. The target option
// of the source's code page is disabled (kept so by every source click and every tick of
// TimerDecode). The button hides the dialog and leaves it loaded, so the next opening shows the
// same choice; Cancel and the close box unload it.
#pragma once

#include <array>

#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"

class frmDecode : public vb::Form {
 public:
  vb::Label Label2{*this};
  vb::Frame Frame1{*this};
  vb::PictureBox Picture1{Frame1};
  vb::OptionButton OptionDOS1{Picture1};
  vb::OptionButton OptionWIN1{Picture1};
  vb::OptionButton OptionKOI1{Picture1};
  vb::OptionButton OptionISO1{Picture1};
  vb::OptionButton OptionMAC1{Picture1};
  vb::Frame Frame2{*this};
  vb::PictureBox Picture2{Frame2};
  vb::OptionButton OptionDOS2{Picture2};
  vb::OptionButton OptionWIN2{Picture2};
  vb::OptionButton OptionKOI2{Picture2};
  vb::OptionButton OptionISO2{Picture2};
  vb::OptionButton OptionMAC2{Picture2};
  vb::CommandButton cmdDecode{*this};
  vb::CommandButton cmdCancel{*this};
  vb::Timer TimerDecode{*this};
  vb::PictureBox picLine{*this};

  frmDecode();

  // The rows in code-page order (0 DOS 866 ... 4 MAC Apple).
  std::array<vb::OptionButton*, 5> SourceRow() { return {&OptionDOS1, &OptionWIN1, &OptionKOI1, &OptionISO1, &OptionMAC1}; }
  std::array<vb::OptionButton*, 5> TargetRow() { return {&OptionDOS2, &OptionWIN2, &OptionKOI2, &OptionISO2, &OptionMAC2}; }

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  // Disables the target option of code page `source` and enables the other four.
  void ApplyTargetRule(int source);
  void TimerDecode_Timer();
  void cmdDecode_Click();
};

// The one conversion dialog of the program, made on first use.
frmDecode& DecodeDialog();
