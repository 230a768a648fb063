// The page "Блокировка": the user, password and hint of the program lock.
#include "preferences/forms/program_picture.h"
#include "preferences/settings/layout.h"
#include "preferences/settings/settings.h"

using settings_layout::kBoxHeight;
using settings_layout::kCheckHeight;
using settings_layout::kLabelHeight;
using settings_layout::Place;

namespace {
// The two notes' hint icon.
constexpr char16_t kHintIcon[] = u"Data\\icons\\menu\\About.ico";
}  // namespace

void frmSettings::DesignLocked() {
  Place(Frame12, 0, 0, 8100, 3500, u"Блокировка программы:");
  Place(Label15, 240, 340, 2000, kLabelHeight, u"Имя пользователя:");
  txtUser.Move(2280, 300, 5580, kBoxHeight);
  Place(Label16, 240, 740, 2000, kLabelHeight, u"Пароль:");
  txtPassword.Move(2280, 700, 5580, kBoxHeight);
  Image5.Move(240, 1140, 240, 240);
  Image5.Picture(ProgramPicture(kHintIcon));
  Place(Label17, 600, 1120, 7260, 900,
        u"Помните, как были введены заглавные буквы (если имеются) в пароле, и вводите их таким же "
        u"образом при каждом выходе из режима блокировки. Пароли вводятся с учетом регистра. Если при "
        u"вводе пароля он был отклонен, убедитесь, что отключен режим Caps Lock.");
  Label17.WordWrap(true);
  Place(Label19, 240, 2140, 2000, kLabelHeight, u"Подсказка о пароле:");
  txtTip.Move(2280, 2100, 5580, kBoxHeight);
  Image6.Move(240, 2560, 240, 240);
  Image6.Picture(ProgramPicture(kHintIcon));
  Place(Label18, 600, 2540, 7260, 700,
        u"Введите слово или фразу, служащую подсказкой о пароле. Подсказка о пароле помогает вам "
        u"вспомнить свой пароль.");
  Label18.WordWrap(true);
  Place(Frame13, 0, 3580, 8100, 700, u"Дополнительно:");
  Place(chkDoNotShowPassword, 240, 300, 7600, kCheckHeight, u"Не показывать пароль при вводе");
}
