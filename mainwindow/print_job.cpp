#include "mainwindow/print_job.h"

#include <cmath>
#include <span>

#include "core/document.h"
#include "core/main_window.h"
#include "core/number_text.h"
#include "core/print.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/vb/error.h"
#include "platform/vb/file_system.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/printer.h"
#include "platform/vb/strings.h"

namespace print_job {
namespace {

namespace pref = settings::preferences;

constexpr int kMostCopies = 99;
constexpr double kWidestMargin = 999;
// Twips per tenth of a centimetre, as the print command converts millimetres.
constexpr double kTwipsPerCentimetre = 567;

constexpr char16_t kNotPrinted[] = u"Документ не напечатан: ";
constexpr char16_t kWhereToFix[] =
    u" Исправьте это в меню ''Сервис'' -> ''Параметры программы'' на вкладке ''Печать''.";

void Tell(const std::u16string& problem) {
  vb::MsgBox(kNotPrinted + problem, vb::vbExclamation, core::kProgramTitle);
}

std::optional<double> MarginMillimetres(const std::u16string& text) {
  const auto mm = number_text::Decimal(text);
  if (!mm || *mm < 0 || *mm > kWidestMargin) return std::nullopt;
  return mm;
}

std::int32_t Twips(double millimetres) { return vb::CLng(millimetres / 10 * kTwipsPerCentimetre); }

// The first margin box that holds no margin, by the caption the settings dialog gives it.
const char16_t* BadMarginName(const mainwindow::PrintBoxes& boxes) {
  if (!MarginMillimetres(boxes.left)) return u"Левое";
  if (!MarginMillimetres(boxes.top)) return u"Верхнее";
  if (!MarginMillimetres(boxes.width)) return u"Правое";
  if (!MarginMillimetres(boxes.height)) return u"Нижнее";
  return nullptr;
}

bool MarginsLeaveRoom(const Margins& m) {
  return m.left + m.right < vb::Printer.Width() && m.top + m.bottom < vb::Printer.Height();
}

std::u16string PrinterProblem(const vb::Error& e) {
  if (e.Number == vb::err::kPrinterError && e.Source == u"Printer") {
    return u"принтер ''" + vb::Printer.DeviceName() + u"'' недоступен или не может печатать (" + e.Description +
           u"). Проверьте принтер или выберите другой." + kWhereToFix;
  }
  if (e.Number == vb::err::kPrinterError) return e.Description;
  return u"ошибка печати № " + vb::CStr(static_cast<std::int64_t>(e.Number)) + u": " + e.Description + u".";
}

// One choice of a print preference: the text the settings keep, the printer's code for it and the
// caption the print confirmation shows (the paper sizes show their stored text).
struct Choice {
  std::u16string_view stored;
  int code;
  std::u16string_view shown;
};

constexpr Choice kQuality[] = {{u"vbPRPQDraft", vb::vbPRPQDraft, u"Черновое"},
                               {u"vbPRPQLow", vb::vbPRPQLow, u"Низкое"},
                               {u"vbPRPQMedium", vb::vbPRPQMedium, u"Среднее"},
                               {u"vbPRPQHigh", vb::vbPRPQHigh, u"Высокое"}};
constexpr Choice kColour[] = {{u"vbPRCMColor", vb::vbPRCMColor, u"Цветная"},
                              {u"vbPRCMMonochrome", vb::vbPRCMMonochrome, u"Монохромная"}};
constexpr Choice kOrientation[] = {{u"vbPRORPortrait", vb::vbPRORPortrait, u"Книжная"},
                                   {u"vbPRORLandscape", vb::vbPRORLandscape, u"Альбомная"}};
constexpr Choice kPaper[] = {{u"A3 297 x 420 мм", vb::vbPRPSA3, {}}, {u"A4 210 x 297 мм", vb::vbPRPSA4, {}},
                             {u"A5 148 x 210 мм", vb::vbPRPSA5, {}}, {u"B4 250 x 354 мм", vb::vbPRPSB4, {}},
                             {u"B5 182 x 257 мм", vb::vbPRPSB5, {}}};

// The choice `value` names, or none.
const Choice* ChoiceNamed(std::span<const Choice> choices, std::u16string_view value) {
  for (const Choice& c : choices) {
    if (value == c.stored) return &c;
  }
  return nullptr;
}

// A stored paper size that names none of the sizes (an empty one leaves the printer's own paper).
bool UnknownPaper(const std::u16string& paper) {
  return !vb::Trim(paper).empty() && ChoiceNamed(kPaper, paper) == nullptr;
}

void SetFromPreference(std::u16string_view name, std::span<const Choice> choices, void (vb::PrinterObject::*set)(int)) {
  if (const Choice* c = ChoiceNamed(choices, modRegistry::ReadPreference(name))) (vb::Printer.*set)(c->code);
}

std::span<const Choice> ChoicesOf(std::u16string_view name) {
  if (name == pref::kPrintQuality) return kQuality;
  if (name == pref::kColorMode) return kColour;
  if (name == pref::kOrientation) return kOrientation;
  return {};
}

// The print job is named after the document: its file's name, or "Документ" while it has none.
std::u16string JobName() {
  const std::u16string& path = modDocument::DocumentPath();
  return path.empty() ? std::u16string(u"Документ") : vb::FileTitleOf(path);
}

}  // namespace

mainwindow::PrintBoxes CurrentBoxes() {
  auto* windows = mainwindow::PreferenceWindowsIfSet();
  mainwindow::PrintBoxes boxes = windows ? windows->SettingsPrintBoxes() : mainwindow::PrintBoxes{};
  // A new profile has stored none of these yet: its empty boxes print with the settings dialog's
  // defaults instead of stopping a new user. An empty box over a stored value is told.
  const std::pair<std::u16string*, std::pair<std::u16string_view, std::u16string_view>> defaults[] = {
      {&boxes.copies, {pref::kCopies, u"1"}},        {&boxes.left, {pref::kPositionLeft, u"20"}},
      {&boxes.top, {pref::kPositionTop, u"5"}},      {&boxes.width, {pref::kPositionWidth, u"5"}},
      {&boxes.height, {pref::kPositionHeight, u"5"}}};
  for (const auto& [box, fallback] : defaults) {
    if (!vb::Trim(*box).empty()) continue;
    if (!modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey, fallback.first)) {
      *box = fallback.second;
    }
  }
  return boxes;
}

std::optional<int> CopiesOf(const mainwindow::PrintBoxes& boxes) {
  const auto copies = number_text::WholeNumber(boxes.copies);
  if (!copies || *copies < 1 || *copies > kMostCopies) return std::nullopt;
  return copies;
}

std::optional<Margins> MarginsOf(const mainwindow::PrintBoxes& boxes) {
  if (BadMarginName(boxes) != nullptr) return std::nullopt;
  return Margins{Twips(*MarginMillimetres(boxes.left)), Twips(*MarginMillimetres(boxes.top)),
                 Twips(*MarginMillimetres(boxes.width)), Twips(*MarginMillimetres(boxes.height))};
}

std::u16string ShownChoice(std::u16string_view preference) {
  const Choice* c = ChoiceNamed(ChoicesOf(preference), modRegistry::ReadPreference(preference));
  return c == nullptr ? std::u16string() : std::u16string(c->shown);
}

void SetUpPrinterFromPreferences() {
  SetFromPreference(pref::kPrintQuality, kQuality, &vb::PrinterObject::PrintQuality);
  SetFromPreference(pref::kColorMode, kColour, &vb::PrinterObject::ColorMode);
  SetFromPreference(pref::kOrientation, kOrientation, &vb::PrinterObject::Orientation);
  SetFromPreference(pref::kPaperSize, kPaper, &vb::PrinterObject::PaperSize);
}

bool CheckBeforePrinting(const mainwindow::PrintBoxes& boxes, bool setCopies) {
  if (vb::Printers.Count() == 0) {
    Tell(u"в системе нет ни одного принтера.");
    return false;
  }
  const std::u16string paper = modRegistry::ReadPreference(pref::kPaperSize);
  if (UnknownPaper(paper)) {
    Tell(u"размер бумаги ''" + paper + u"'' не известен программе." + kWhereToFix);
    return false;
  }
  const auto copies = CopiesOf(boxes);
  if (!copies) {
    Tell(u"количество копий должно быть целым числом от 1 до 99." + std::u16string(kWhereToFix));
    return false;
  }
  if (const char16_t* name = BadMarginName(boxes)) {
    Tell(u"поле ''" + std::u16string(name) + u"'' должно быть числом миллиметров от 0 до 999." + kWhereToFix);
    return false;
  }
  try {
    if (!MarginsLeaveRoom(*MarginsOf(boxes))) {
      Tell(u"поля страницы не оставляют места для текста на выбранном размере бумаги." + std::u16string(kWhereToFix));
      return false;
    }
    if (setCopies) vb::Printer.Copies(*copies);
  } catch (const vb::Error& e) {
    Tell(PrinterProblem(e));
    return false;
  }
  return true;
}

bool PrintEditor(vb::RichTextBox& editor, const mainwindow::PrintBoxes& boxes) {
  if (!CheckBeforePrinting(boxes, false)) return false;
  const Margins m = *MarginsOf(boxes);
  vb::Printer.JobName(JobName());
  try {
    modPrint::PrintRichText(editor, m.left, m.top, m.right, m.bottom);
  } catch (const vb::Error& e) {
    // A printer that failed in the middle leaves its document open; it is closed, so the next
    // print starts afresh.
    try {
      vb::Printer.EndDoc();
    } catch (const vb::Error&) {
    }
    Tell(PrinterProblem(e));
    return false;
  }
  // The PDF printer writes a file: the user is told which, so the document can be found.
  if (vb::Printer.DeviceName() == platform::printing::kPdfPrinterName) {
    vb::MsgBox(u"Документ напечатан в файл ''" + platform::printing::PdfOutputPath() + u"''.", vb::vbInformation,
               core::kProgramTitle);
  }
  return true;
}

}  // namespace print_job
