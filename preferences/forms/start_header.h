// The header the welcome and getting-started windows share: a white band across the top with the
// window's title in bold, and a sunken line under it.
#pragma once

#include <string>

#include "platform/vb/controls.h"
#include "platform/vb/picturebox.h"

void DesignStartHeader(vb::PictureBox& band, vb::Label& title, vb::PictureBox& line, float width,
                       const std::u16string& text);
