// The conversion run: progress with cancel, the undo copy and the write-back of the converted text.
#include <cmath>

#include "core/decode.h"
#include "core/main_window.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/vb/controls.h"
#include "platform/vb/msgbox.h"

namespace modDecode {
namespace {

bool running = false;

constexpr int kHourglass = 11;
constexpr int kDefaultPointer = 0;

void EndProgress() {
  DecodingWindowServices& progress = core::frmDecoding();
  if (progress.Visible()) progress.Hide();
  progress.MousePointer(kDefaultPointer);
}

// Restores what the run changed around it, however the run ends.
struct RunGuard {
  explicit RunGuard(vb::RichTextBox& editor) : editor(editor), wasLocked(editor.Locked()) {
    running = true;
    editor.Locked(true);  // no typing into a text that is about to be replaced
  }
  ~RunGuard() {
    running = false;
    editor.Locked(wasLocked);
  }
  vb::RichTextBox& editor;
  bool wasLocked;
};

}  // namespace

bool DecodeRunning() { return running; }

void DecodeDocument() {
  if (running) return;
  MainWindowServices& main = core::frmMain();
  vb::RichTextBox& editor = main.RichTextBox();
  const std::int64_t length = editor.TextLength();
  if (length == 0) {
    vb::MsgBox(u"Нет текста для перекодирования !", vb::vbInformation, core::kProgramTitle);
    return;
  }
  const int source = main.Combo1().ListIndex() + 1;
  const int target = main.Combo2().ListIndex() + 1;
  // A selector without a code page would convert nothing: then nothing is done at all.
  if (source < 1 || source > kCodePageCount || target < 1 || target > kCodePageCount) return;

  DecodeCancelled = false;
  // The run counts from here: showing the progress window lets events run already.
  RunGuard guard(editor);
  DecodingWindowServices& progress = core::frmDecoding();
  progress.MousePointer(kHourglass);
  progress.CodeCaption(main.Combo1().Text() + u" -> " + main.Combo2().Text());
  progress.Show();
  progress.CalculatePercentage(false);

  // The steps only show progress and give the user the chance to cancel: each value set lets the
  // window events through. The length is the one the run started with.
  const double tenth = static_cast<double>(length) / 10.0;
  const auto steps = static_cast<std::int64_t>(std::nearbyint(tenth));
  for (std::int64_t i = 0; i <= steps; ++i) {
    if (DecodeCancelled) break;
    progress.Value(static_cast<float>(static_cast<double>(i) / tenth * 100.0));
  }
  // A cancel confirmed during the last step still counts.
  if (DecodeCancelled) {
    DecodeCancelled = false;
    EndProgress();
    return;
  }
  // The editor's text has CR LF lines, and so has its conversion: the editor takes it as it is.
  TextBeforeDecode = editor.Text();
  editor.TakeText(ConvertText(TextBeforeDecode, source, target));
  EndProgress();
  DocumentDecoded = true;
}

void CancelDecode() {
  DecodeCancelled = true;
  core::frmMain().MousePointer(kDefaultPointer);
}

void UndoDecode() {
  if (running) return;
  core::frmMain().RichTextBox().Text(TextBeforeDecode);
}

}  // namespace modDecode
