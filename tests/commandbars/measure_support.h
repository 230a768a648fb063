// What the tests of button measuring and bar layout work on: a 200 x 60 surface with the bars'
// font (Tahoma 8.25) and measuring parameters for 16 x 16 icons on it; and a form whose text box
// stands as a panel button's control.
#pragma once

#include "commandbars/draw_button_params.h"
#include "commandbars/utility.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "support_gdi.h"

namespace qmtest {

struct frmPanel : vb::Form {
  vb::TextBox txtZoom{*this};
};

struct MeasureSurface {
  Surface surface{200, 60};
  commandbars::cFontCache fonts;
  vb::StdFont font;
  commandbars::cMeasureButtonParams p;

  MeasureSurface() {
    font.Name = u"Tahoma";
    font.Size = 8.25;
    p.hdc = surface.dc;
    p.hFont = fonts.hFont(font, 0, surface.dc);
    p.IconWidth = 16;
    p.IconHeight = 16;
  }
};

}  // namespace qmtest
