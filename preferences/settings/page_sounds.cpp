// The page "Звуки": the five interface sounds, each switched on or off with its wave file.
#include "preferences/settings/layout.h"
#include "preferences/settings/settings.h"

using settings_layout::kBoxHeight;
using settings_layout::kButtonHeight;
using settings_layout::kCheckHeight;
using settings_layout::Place;

namespace {

// One row: the switch, the path box and its browse button, `top` twips down the frame.
void PlaceSoundRow(vb::CheckBox& check, vb::TextBox& path, vb::CommandButton& browse, float top,
                   const std::u16string& caption) {
  Place(check, 240, top + 20, 2200, kCheckHeight, caption);
  path.Move(2500, top, 4840, kBoxHeight);
  Place(browse, 7400, top, 480, kBoxHeight, u"...");
}

}  // namespace

void frmSettings::DesignSounds() {
  Place(Frame17, 0, 0, 8100, 1150, u"События кнопок и меню:");
  PlaceSoundRow(chkButtonMouseMove, txtButtonMouseMove, cmdBrowseButtonMouseMove, 300, u"Подведение");
  PlaceSoundRow(chkButtonMouseClick, txtButtonMouseClick, cmdBrowseButtonMouseClick, 700, u"Нажатие");
  Place(Frame18, 0, 1230, 8100, 1150, u"События диалоговых окон:");
  PlaceSoundRow(chkFormLoad, txtFormLoad, cmdBrowseFormLoad, 300, u"Загрузка");
  PlaceSoundRow(chkFormUnload, txtFormUnload, cmdBrowseFormUnload, 700, u"Выгрузка");
  Place(Frame19, 0, 2460, 8100, 750, u"Дополнительные эффекты:");
  PlaceSoundRow(chkKeyDown, txtKeyDown, cmdBrowseKeyDown, 300, u"Звук нажатия клавиш");
  Place(cmdSoundsDefault, 6060, 3330, 2040, kButtonHeight, u"По умолчанию");
}
