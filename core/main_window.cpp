#include "core/main_window.h"

#include "core/state_flag.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/strings.h"

namespace core {
namespace {
MainWindowServices* mainWindow = nullptr;
DecodingWindowServices* decodingWindow = nullptr;
OpeningWindowServices* openingWindow = nullptr;
}  // namespace

void SetMainWindow(MainWindowServices* window) { mainWindow = window; }
void SetDecodingWindow(DecodingWindowServices* window) { decodingWindow = window; }
MainWindowServices& frmMain() { return *mainWindow; }
bool HasMainWindow() { return mainWindow != nullptr; }
DecodingWindowServices& frmDecoding() { return *decodingWindow; }
void SetOpeningWindow(OpeningWindowServices* window) { openingWindow = window; }
OpeningWindowServices* frmOpening() { return openingWindow; }

void StateChanged() {
  if (mainWindow != nullptr) mainWindow->CoreStateChanged();
}

void ShowErrorBox(std::int32_t number, const std::u16string& description) {
  vb::MsgBox(u"Произошла ошибка № " + vb::CStr(static_cast<std::int64_t>(number)) + u"\r\n" + description, vb::vbCritical,
             kProgramTitle);
}

}  // namespace core
