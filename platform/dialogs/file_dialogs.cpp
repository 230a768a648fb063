#include "platform/dialogs/file_dialogs.h"

#include <algorithm>
#include <vector>

#include "platform/dialogs/file_dialog_run.h"

namespace win {
namespace {


// The NUL-separated strings of a filter block, up to the empty string that closes it.
std::vector<std::u16string> FilterStrings(const char16_t* block) {
  std::vector<std::u16string> out;
  if (block == nullptr) return out;
  for (const char16_t* p = block; *p != 0;) {
    std::u16string s(p);
    p += s.size() + 1;
    out.push_back(std::move(s));
  }
  return out;
}

// The block as the dialog saw it: each string with its NUL.
std::u16string FilterBlock(const std::vector<std::u16string>& parts) {
  std::u16string b;
  for (const auto& s : parts) b += s + u'\0';
  return b;
}

std::u16string Text(const char16_t* p) { return p != nullptr ? std::u16string(p) : std::u16string(); }

// Copies text and its NUL into a buffer of `size` units; false when it does not fit.
bool Put(char16_t* buffer, DWORD size, const std::u16string& text) {
  if (buffer == nullptr || text.size() + 1 > size) return false;
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = 0;
  return true;
}

BOOL Run(OPENFILENAMEA* ofn, bool save) {
  if (ofn == nullptr || ofn->lStructSize != sizeof(OPENFILENAMEA) || ofn->lpstrFile == nullptr || ofn->nMaxFile == 0)
    return FALSE;
  platform::dialogs::FileDialogRequest request;
  request.save = save;
  request.title = ofn->lpstrTitle != nullptr && *ofn->lpstrTitle != 0 ? Text(ofn->lpstrTitle)
                  : save                                             ? u"Сохранить как"
                                                                     : u"Открыть";
  request.initialDir = Text(ofn->lpstrInitialDir);
  request.filter = FilterStrings(ofn->lpstrFilter);
  request.filterIndex = static_cast<int>(ofn->nFilterIndex);
  request.offered.assign(ofn->lpstrFile, std::find(ofn->lpstrFile, ofn->lpstrFile + ofn->nMaxFile, u'\0'));
  request.defaultSuffix = Text(ofn->lpstrDefExt);
  request.confirmOverwrite = (ofn->Flags & OFN_OVERWRITEPROMPT) != 0;
  request.scriptPrompt = FilterBlock(request.filter);
  request.scriptFlags = static_cast<int>(ofn->Flags);
  const std::optional<std::u16string> path = platform::dialogs::RunFileDialog(request);
  if (!path) return FALSE;
  if (!request.filter.empty()) ofn->nFilterIndex = static_cast<DWORD>(request.filterIndex);
  const std::u16string name = path->substr(path->rfind(u'/') + 1);
  if (!Put(ofn->lpstrFile, ofn->nMaxFile, *path)) return FALSE;
  if (ofn->lpstrFileTitle != nullptr) Put(ofn->lpstrFileTitle, ofn->nMaxFileTitle, name);
  ofn->nFileOffset = static_cast<WORD>(path->size() - name.size());
  const std::size_t dot = name.rfind(u'.');
  ofn->nFileExtension = static_cast<WORD>(dot == std::u16string::npos ? path->size() : ofn->nFileOffset + dot + 1);
  return TRUE;
}

}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) { return Run(ofn, false); }
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn) { return Run(ofn, true); }

}  // namespace win
