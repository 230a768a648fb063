// The runtime's intrinsic controls.
//
// A value set in code raises the same event as the user's edit: CheckBox.Value and
// OptionButton.Value raise Click, ListIndex raises Click, TextBox.Text raises Change (each only when
// the value really changes). Properties that decide what kind of window a control is (a multi-line
// text box, the style of a combo or list box) are constructor arguments.
#pragma once

// One header per control; this one brings them all.
#include "platform/vb/check_box.h"
#include "platform/vb/combo_box.h"
#include "platform/vb/command_button.h"
#include "platform/vb/frame.h"
#include "platform/vb/image.h"
#include "platform/vb/label.h"
#include "platform/vb/list_box.h"
#include "platform/vb/option_button.h"
#include "platform/vb/shape.h"
#include "platform/vb/text_box.h"
#include "platform/vb/timer.h"
