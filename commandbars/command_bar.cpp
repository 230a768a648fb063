// The bar record: its buttons, owners, check groups and change notices.
#include "commandbars/command_bar.h"

#include "commandbars/button.h"
#include "commandbars/draw_button_params.h"
#include "commandbars/toolkit_links.h"
#include "commandbars/utility.h"

namespace commandbars {

cCommandBarInt::cCommandBarInt() = default;

cCommandBarInt::~cCommandBarInt() {
  for (std::int32_t i = 1; i <= buttons_.Count(); ++i)
    if (cButtonInt* btn = ButtonAt(i)) TakeOff(*btn);
}

void cCommandBarInt::Title(std::u16string v) {
  title_ = std::move(v);
  ButtonChanged(kChangeTitle, nullptr);
}

std::int32_t cCommandBarInt::IndexOf(std::u16string_view sKey) const {
  std::int32_t position = 0;
  for (const WeakLink<cButtonInt>& link : const_cast<vb::Collection<WeakLink<cButtonInt>>&>(buttons_)) {
    ++position;
    if (const cButtonInt* btn = link.get(); btn != nullptr && btn->Key() == sKey) return position;
  }
  return 0;
}

cButtonInt* cCommandBarInt::Item(std::int32_t index) { return buttons_.Item(index).get(); }

cButtonInt* cCommandBarInt::Item(std::u16string_view key) { return buttons_.Item(key).get(); }

cButtonInt* cCommandBarInt::ButtonAt(std::int32_t position) {
  if (position < 1 || position > buttons_.Count()) return nullptr;
  return buttons_.Item(position).get();
}

void cCommandBarInt::Add(cButtonInt& btn) {
  if (buttons_.Exists(btn.Key())) RaiseCommandBarError(5);
  buttons_.Add(WeakLink<cButtonInt>(btn.lifeline()), btn.Key());
  btn.AddToBar(*this);
  ButtonChanged(kChangeButtons, nullptr);
}

void cCommandBarInt::InsertBefore(cButtonInt& btn, cButtonInt& btnBefore) { Insert(btn, btnBefore, false); }

void cCommandBarInt::InsertAfter(cButtonInt& btn, cButtonInt& btnAfter) { Insert(btn, btnAfter, true); }

void cCommandBarInt::Insert(cButtonInt& btn, cButtonInt& reference, bool after) {
  if (buttons_.Exists(btn.Key())) RaiseCommandBarError(5);
  const std::int32_t at = IndexOf(reference.Key());
  if (at == 0 || !buttons_.Exists(reference.Key())) RaiseCommandBarError(3);
  if (after)
    buttons_.Add(WeakLink<cButtonInt>(btn.lifeline()), btn.Key(), 0, at);
  else
    buttons_.Add(WeakLink<cButtonInt>(btn.lifeline()), btn.Key(), at);
  for (std::int32_t i = 1; i <= ownerControls_.Count(); ++i) btn.AddOwner(ownerControls_.Item(i), ownerForms_.Item(i));
  btn.AddToBar(*this);
  ButtonChanged(kChangeButtons, nullptr);
}

void cCommandBarInt::Remove(cButtonInt& btn) {
  if (!buttons_.Exists(btn.Key())) RaiseCommandBarError(3);
  buttons_.Remove(btn.Key());
  TakeOff(btn);
  ButtonChanged(kChangeButtons, nullptr);
}

void cCommandBarInt::Clear() {
  std::vector<cButtonInt*> leaving;
  for (std::int32_t i = 1; i <= buttons_.Count(); ++i)
    if (cButtonInt* btn = ButtonAt(i)) leaving.push_back(btn);
  buttons_ = vb::Collection<WeakLink<cButtonInt>>();
  for (cButtonInt* btn : leaving) TakeOff(*btn);
  ButtonChanged(kChangeButtons, nullptr);
}

// The button is already off the list: its registrations for this bar's forms and its link back go.
void cCommandBarInt::TakeOff(cButtonInt& btn) {
  btn.RemoveFromBar(*this);
  for (std::int32_t i = 1; i <= ownerForms_.Count(); ++i) DropRegistration(btn, ownerForms_.Item(i));
}

void cCommandBarInt::DropRegistration(cButtonInt& btn, win::HWND hWndForm) {
  for (const WeakLink<cCommandBarInt>& link : btn.holdingBars_)
    if (cCommandBarInt* other = link.get(); other != nullptr && other->ShownOnForm(hWndForm)) return;
  btn.RemoveOwner(hWndForm);
}

bool cCommandBarInt::ShownOnForm(win::HWND hWndForm) {
  for (win::HWND form : ownerForms_)
    if (form == hWndForm) return true;
  return false;
}

void cCommandBarInt::AddOwner(win::HWND hWndControl, win::HWND hWndForm) {
  const std::u16string key = HandleKey(hWndControl);
  if (ownerControls_.Exists(key)) return;
  ownerControls_.Add(hWndControl, key);
  ownerForms_.Add(hWndForm, key);
  // Registering may reach this bar again through a sub-bar; it is recorded already, so it stops.
  for (std::int32_t i = 1; i <= buttons_.Count(); ++i)
    if (cButtonInt* btn = ButtonAt(i)) btn->AddOwner(hWndControl, hWndForm);
}

void cCommandBarInt::RemoveOwner(win::HWND hWndControl) {
  const std::u16string key = HandleKey(hWndControl);
  if (!ownerControls_.Exists(key)) return;
  const win::HWND form = ownerForms_.Item(key);
  ownerControls_.Remove(key);
  ownerForms_.Remove(key);
  for (std::int32_t i = 1; i <= buttons_.Count(); ++i)
    if (cButtonInt* btn = ButtonAt(i)) DropRegistration(*btn, form);
}

void cCommandBarInt::ButtonChanged(std::int32_t code, cButtonInt* btn) {
  if (code == kChangeChecked && btn != nullptr && !groupGuard_ &&
      (btn->Style() == eRadio || btn->Style() == eRadioNullable))
    RunCheckGroup(*btn);
  TellControls(code, btn);
}

void cCommandBarInt::RunCheckGroup(cButtonInt& btn) {
  groupGuard_ = true;
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t own = 0;
  for (std::int32_t position = 1; position <= buttons_.Count(); ++position) {
    const cButtonInt* b = ButtonAt(position);
    const bool separator = b != nullptr && b->Style() == eSeparator;
    if (own == 0) {
      if (position == 1) start = 1;
      if (b != nullptr && b->Key() == btn.Key()) {
        own = position;
        end = position;
      } else if (separator && position > 1) {
        start = position + 1;
      }
    } else {
      if (separator) break;
      end = position;
    }
  }
  if (start == 0) start = 1;
  if (own != 0) {
    if (btn.Checked()) {
      for (std::int32_t p = start; p <= end; ++p)
        if (cButtonInt* other = ButtonAt(p); other != nullptr && p != own) other->Checked(false);
    } else if (btn.Style() == eRadio) {
      bool anyChecked = false;
      for (std::int32_t p = start; p <= end; ++p)
        if (const cButtonInt* b = ButtonAt(p); b != nullptr && b->Checked()) anyChecked = true;
      if (!anyChecked) btn.Checked(true);
    }
  }
  groupGuard_ = false;
}

void cCommandBarInt::TellControls(std::int32_t code, cButtonInt* btn) {
  std::vector<win::HWND> controls;
  for (win::HWND h : ownerControls_) controls.push_back(h);
  for (win::HWND h : controls)
    if (IBarControl* control = FindBarControl(h); control != nullptr && control->InUse())
      control->BarChanged(*this, code, btn);
}

void cCommandBarInt::ButtonClicked(std::int32_t index) {
  cButtonInt* btn = ButtonAt(index);
  if (btn == nullptr) return;
  if (btn->State() == 2) {
    if (btn->Style() == eCheck || btn->Style() == eRadio || btn->Style() == eRadioNullable)
      btn->Checked(!btn->Checked());
  } else if (btn->State() == 0 || btn->State() == 1) {
    btn->State(btn->State() == 1 ? 0 : 1);
    btn->Checked(!btn->Checked());
  }
}

cButtonInt* cCommandBarInt::FindShortcut(win::HWND hWndForm, std::int16_t vKey, std::int32_t eModifiers,
                                         IBarControl*& ctl) {
  std::vector<const cCommandBarInt*> visited;
  return FindShortcutIn(hWndForm, vKey, eModifiers, ctl, visited);
}

cButtonInt* cCommandBarInt::FindShortcutIn(win::HWND hWndForm, std::int16_t vKey, std::int32_t eModifiers,
                                           IBarControl*& ctl, std::vector<const cCommandBarInt*>& visited) {
  for (const cCommandBarInt* seen : visited)
    if (seen == this) return nullptr;
  visited.push_back(this);
  for (std::int32_t i = 1; i <= buttons_.Count(); ++i) {
    cButtonInt* btn = ButtonAt(i);
    if (btn == nullptr) continue;
    cButtonInt* found = nullptr;
    btn->FindShortcutIn(hWndForm, vKey, eModifiers, true, ctl, visited, found);
    if (found != nullptr) return found;
  }
  return nullptr;
}

void cCommandBarInt::Draw(cDrawButtonParams& params, const std::vector<cDisplayButtonInfo>& infos) {
  const std::int32_t n = std::min<std::int32_t>(buttons_.Count(), static_cast<std::int32_t>(infos.size()));
  for (std::int32_t i = 1; i <= n; ++i) {
    cButtonInt* btn = ButtonAt(i);
    const cDisplayButtonInfo& info = infos[static_cast<std::size_t>(i - 1)];
    if (btn == nullptr) continue;
    const bool drawable = (btn->Visible() && !info.Hidden) || (params.SizeStyle == 2 && btn->State() != 2);
    if (!drawable || info.Bottom - info.tOp <= 0) continue;
    params.left = info.left;
    params.tOp = info.tOp;
    params.Size = info.Right - info.left;
    params.Height = info.Bottom - info.tOp;
    params.MouseDownButton = info.mouseDown;
    params.MouseOverButton = info.mouseOver;
    params.MouseDownSplit = info.MouseDownSplit;
    params.MouseOverSplit = info.MouseOverSplit;
    params.ShowingMenu = info.ShowingMenu;
    btn->Draw(params);
  }
}

void cCommandBarInt::DrawButton(cDrawButtonParams& params, std::int32_t index) {
  if (cButtonInt* btn = ButtonAt(index)) btn->Draw(params);
}

void cCommandBarInt::ResetCollections() {
  buttons_ = vb::Collection<WeakLink<cButtonInt>>();
  ownerControls_ = vb::Collection<win::HWND>();
  ownerForms_ = vb::Collection<win::HWND>();
}

}  // namespace commandbars
