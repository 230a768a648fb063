// frmPrinting, "Печать документа": the confirmation between the print command and the printer. It
// shows the stored print settings (printer, quality, colour, orientation, copies, paper), asks for
// paper in the tray, and prints the editor's document with the settings dialog's margins (Print) or
// closes without printing (Close, the close box). Its check box switches the window off for later
// print commands at once ("Printing" under "Preferences\Dialogs": 0 when ticked, 1 when not).
// Every showing is a fresh load: Print, Close and the close box unload it.
#pragma once

#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/image.h"
#include "platform/vb/picturebox.h"

class frmPrinting : public vb::Form {
 public:
  vb::Label Label1{*this};
  vb::Image Image1{*this};
  vb::Frame Frame1{*this};
  vb::Label Label2{Frame1};
  vb::Label lblDefaultPrinter{Frame1};
  vb::Label Label3{Frame1};
  vb::Label lblPrintQuality{Frame1};
  vb::Label Label4{Frame1};
  vb::Label lblPrintColor{Frame1};
  vb::Label Label5{Frame1};
  vb::Label lblOrientation{Frame1};
  vb::Label Label6{Frame1};
  vb::Label lblCopies{Frame1};
  vb::Label Label7{Frame1};
  vb::Label lblPaperSize{Frame1};
  vb::Label Label8{*this};
  vb::CheckBox chkDoNotShowThisDialog{*this};
  vb::PictureBox picLine{*this};
  vb::CommandButton cmdClose{*this};
  vb::CommandButton cmdPrint{*this};

  frmPrinting();

  void cmdPrint_Click();
  void cmdClose_Click();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void chkDoNotShowThisDialog_Click();
};

// The one print confirmation of the program, made on first use.
frmPrinting& PrintingWindow();
