#include "preferences/forms/start_header.h"

void DesignStartHeader(vb::PictureBox& band, vb::Label& title, vb::PictureBox& line, float width,
                       const std::u16string& text) {
  band.Move(0, 0, width, 720);
  band.BorderStyle(0);
  band.BackColor(0xFFFFFF);
  title.Move(240, 210, width - 480, 330);
  title.BackStyle(0);
  title.FontBold(true);
  title.FontSize(11);
  title.Caption(text);
  line.Move(0, 720, width, 30);
  line.BorderStyle(1);
}
