#include "platform/dialogs/choose_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/codepage/codepage.h"
#include "platform/dialogs/colour_dialog.h"
#include "platform/dialogs/font_dialog.h"
#include "platform/script/script.h"
#include "platform/vb/modal_dialog.h"

namespace win {
namespace {

QString ToQ(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
std::u16string FromQ(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

constexpr double kPixelsPerPoint = 96.0 / 72.0;

QColor FromColorRef(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
COLORREF ToColorRef(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

std::optional<platform::script::Answer> Scripted(platform::script::Kind kind, const std::u16string& prompt, DWORD flags) {
  platform::script::Shown shown;
  shown.kind = kind;
  shown.prompt = prompt;
  shown.flags = static_cast<int>(flags);
  return platform::script::Take(shown);
}

std::u16string Face(const LOGFONTA& lf) {
  const char* end = std::find(lf.lfFaceName, lf.lfFaceName + LF_FACESIZE, '\0');
  return vb::FromWindows1251(std::string_view(lf.lfFaceName, static_cast<std::size_t>(end - lf.lfFaceName)));
}

}  // namespace

BOOL ChooseColorA(CHOOSECOLORA* cc) {
  if (cc == nullptr || cc->lStructSize != sizeof(CHOOSECOLORA)) return FALSE;
  QColor chosen;
  if (auto answer = Scripted(platform::script::Kind::Color, {}, cc->Flags)) {
    if (answer->result == 0) return FALSE;
    bool number = false;
    const ulong value = ToQ(answer->text).toULong(&number);
    if (!number) return FALSE;
    chosen = FromColorRef(static_cast<COLORREF>(value));
  } else {
    if (cc->lpCustColors != nullptr)
      for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, FromColorRef(cc->lpCustColors[i]));
    const QColor initial = (cc->Flags & CC_RGBINIT) != 0 ? FromColorRef(cc->rgbResult) : QColor(Qt::black);
    const std::optional<QColor> asked = platform::detail::AskForColour(initial);
    if (!asked || !asked->isValid()) return FALSE;
    chosen = *asked;
    if (cc->lpCustColors != nullptr)
      for (int i = 0; i < 16; ++i) cc->lpCustColors[i] = ToColorRef(QColorDialog::customColor(i));
  }
  cc->rgbResult = ToColorRef(chosen);
  return TRUE;
}

BOOL ChooseFontA(CHOOSEFONTA* cf) {
  if (cf == nullptr || cf->lStructSize != sizeof(CHOOSEFONTA) || cf->lpLogFont == nullptr) return FALSE;
  LOGFONTA& lf = *cf->lpLogFont;
  QFont initial;
  if ((cf->Flags & CF_INITTOLOGFONTSTRUCT) != 0) {
    initial.setFamily(ToQ(Face(lf)));
    // The size given in tenths of a point wins over the record's height, which callers fill
    // with differing conventions.
    if (cf->iPointSize > 0) {
      initial.setPointSizeF(cf->iPointSize / 10.0);
    } else if (lf.lfHeight != 0) {
      initial.setPointSizeF(std::abs(lf.lfHeight) / kPixelsPerPoint);
    }
    initial.setBold(lf.lfWeight >= FW_BOLD);
    initial.setItalic(lf.lfItalic != 0);
    initial.setUnderline(lf.lfUnderline != 0);
    initial.setStrikeOut(lf.lfStrikeOut != 0);
  }
  QFont chosen = initial;
  if (auto answer = Scripted(platform::script::Kind::Font, Face(lf), cf->Flags)) {
    if (answer->result == 0) return FALSE;
    const QStringList parts = ToQ(answer->text).split(QLatin1Char('|'));
    if (!parts.value(0).isEmpty()) chosen.setFamily(parts.value(0));
    if (parts.size() > 1 && parts.at(1).toDouble() > 0) chosen.setPointSizeF(parts.at(1).toDouble());
  } else {
    const std::optional<QFont> asked = platform::detail::AskForFont(initial, platform::detail::DialogOwner());
    if (!asked) return FALSE;
    chosen = *asked;
  }
  // The face name must fit the record's field with its NUL.
  const std::string face = vb::ToWindows1251(FromQ(chosen.family()));
  std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), '\0');
  std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), lf.lfFaceName);
  const double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : 8;
  lf.lfHeight = -static_cast<LONG>(std::lround(points * kPixelsPerPoint));
  lf.lfWeight = chosen.bold() ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = chosen.italic() ? 1 : 0;
  lf.lfUnderline = chosen.underline() ? 1 : 0;
  lf.lfStrikeOut = chosen.strikeOut() ? 1 : 0;
  cf->iPointSize = static_cast<int>(std::lround(points * 10));
  cf->nFontType = static_cast<WORD>(SCREEN_FONTTYPE | (chosen.bold() ? BOLD_FONTTYPE : 0x0400));
  return TRUE;
}

}  // namespace win
