#include "wizard/start.h"

#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/strings.h"
#include "platform/win/common_controls.h"

namespace wizard::modMain {

void ReportError(std::int32_t number, const std::u16string& description) {
  if (number <= 0 || number == 364) return;
  vb::MsgBox(u"Произошла ошибка № " + vb::CStr(static_cast<std::int64_t>(number)) + u"\r\n" + description,
             vb::vbCritical, kProgramTitle);
}

void Main() {
  try {
    platform::InitVisualStyles();
    vb::MsgBox(kNotice, vb::vbInformation | vb::vbOKOnly, kProgramTitle);
  } catch (const vb::Error& e) {
    ReportError(e.Number, e.Description);
  }
}

}  // namespace wizard::modMain
