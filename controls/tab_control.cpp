#include "controls/tab_control.h"

#include <algorithm>
#include <cmath>

#include "controls/tab_strip.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/tab_control.h"
#include "platform/codepage/codepage.h"
#include "platform/vb/error.h"
#include "platform/win/window.h"

using namespace win;

namespace {

constexpr int kTextBuffer = 255;

std::u16string Number(std::int32_t v) {
  const std::string s = std::to_string(v);
  return std::u16string(s.begin(), s.end());
}

}  // namespace

// A window destroyed while loaded never unloads its controls: the tab window and its font go here.
TabControl::~TabControl() {
  modTabStrip::Deactivate(this);
  DestroyTabWindow();
}

// --- properties ---------------------------------------------------------------------------------

std::int32_t TabControl::TabAlign() {
  EnsureWindow();
  return tabAlign_;
}
void TabControl::TabAlign(std::int32_t v) {
  EnsureWindow();
  tabAlign_ = v;
  PropertyChanged(u"TabAlign");
}

bool TabControl::FlatSeparators() {
  EnsureWindow();
  return flatSeparators_;
}
void TabControl::FlatSeparators(bool v) {
  EnsureWindow();
  flatSeparators_ = v;
  if (tab_ != 0) Send(TCM_SETEXTENDEDSTYLE, TCS_EX_FLATSEPARATORS, v ? TCS_EX_FLATSEPARATORS : 0);
  PropertyChanged(u"FlatSeparators");
}

bool TabControl::HotTrack() {
  EnsureWindow();
  return hotTrack_;
}
void TabControl::HotTrack(bool v) {
  EnsureWindow();
  hotTrack_ = v;
  ApplyStyle();
  PropertyChanged(u"HotTrack");
}

bool TabControl::Buttons() {
  EnsureWindow();
  return buttons_;
}
void TabControl::Buttons(bool v) {
  EnsureWindow();
  buttons_ = v;
  ApplyStyle();
  PropertyChanged(u"Buttons");
}

bool TabControl::FlatButtons() {
  EnsureWindow();
  return flatButtons_;
}
void TabControl::FlatButtons(bool v) {
  EnsureWindow();
  flatButtons_ = v;
  ApplyStyle();
  PropertyChanged(u"FlatButtons");
}

bool TabControl::OwnerDraw() {
  EnsureWindow();
  return ownerDraw_;
}
void TabControl::OwnerDraw(bool v) {
  EnsureWindow();
  ownerDraw_ = v;
  ApplyStyle();
  PropertyChanged(u"OwnerDraw");
}

bool TabControl::MultiLine() {
  EnsureWindow();
  return multiLine_;
}
void TabControl::MultiLine(bool v) {
  EnsureWindow();
  multiLine_ = v;
  ApplyStyle();
  PropertyChanged(u"MultiLine");
}

bool TabControl::RightJustify() {
  EnsureWindow();
  return rightJustify_;
}
void TabControl::RightJustify(bool v) {
  EnsureWindow();
  rightJustify_ = v;
  ApplyStyle();
  PropertyChanged(u"RightJustify");
}

std::int32_t TabControl::CoolTabs() {
  EnsureWindow();
  return coolTabs_;
}
void TabControl::CoolTabs(std::int32_t v) {
  EnsureWindow();
  coolTabs_ = v;
  if (tab_ != 0 && attached_) {
    if (v != 0) {
      AttachPainting();
    } else {
      DetachPainting();
    }
  }
  if (tab_ != 0) {
    InvalidateRect(tab_, nullptr, TRUE);
    UpdateWindow(tab_);
  }
  PropertyChanged(u"CoolTabs");
}

void TabControl::SetPadding(std::int32_t x, std::int32_t y) {
  EnsureWindow();
  Send(TCM_SETPADDING, 0, static_cast<LPARAM>(((y & 0x7FFF) * 65536) | (x & 0xFFFF)));
}

vb::StdFont TabControl::Font() {
  EnsureWindow();
  return font_;
}
void TabControl::Font(const vb::StdFont& f) {
  EnsureWindow();
  if (f == font_) return;
  font_ = f;
  SetTabFont();
  PropertyChanged(u"Font");
}

void TabControl::ImageList(const TabImageListValue& v) {
  EnsureWindow();
  if (const auto* handle = std::get_if<HIMAGELIST>(&v)) {
    imageList_ = *handle;
    ApplyImageList();
    return;
  }
  Fail(tab_errors::kBadImageList, u"Invalid Image List.");
}

void TabControl::ApplyImageList() { Send(TCM_SETIMAGELIST, 0, imageList_); }

// The tab window's font, built from Font at the control's vertical resolution.
void TabControl::SetTabFont() {
  LOGFONTA lf;
  const std::string face = vb::ToWindows1251(font_.Name);
  std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), lf.lfFaceName);
  const HDC dc = GetDC(hWnd());
  const int perInch = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(hWnd(), dc);
  lf.lfHeight = -MulDiv(static_cast<int>(std::nearbyint(font_.Size)), perInch, 72);
  lf.lfWeight = font_.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font_.Italic ? 1 : 0;
  lf.lfUnderline = font_.Underline ? 1 : 0;
  lf.lfStrikeOut = font_.Strikethrough ? 1 : 0;
  lf.lfCharSet = static_cast<BYTE>(font_.Charset);
  const HFONT made = CreateFontIndirectA(&lf);
  Send(WM_SETFONT, static_cast<WPARAM>(made), TRUE);
  if (tabFont_ != 0) DeleteObject(tabFont_);
  tabFont_ = made;
}

// --- tabs -----------------------------------------------------------------------------------------

LRESULT TabControl::Send(UINT msg, WPARAM w, LPARAM l) { return tab_ != 0 ? SendMessageA(tab_, msg, w, l) : 0; }

std::int32_t TabControl::TabCount() {
  EnsureWindow();
  return static_cast<std::int32_t>(Send(TCM_GETITEMCOUNT, 0, 0));
}

void TabControl::Fail(std::int32_t number, const std::u16string& description) {
  EnsureWindow();
  vb::Raise(number, vb::ErrorSource(u"cTabCtrl"), description);
}

std::u16string TabControl::Describe(const TabRef& vKey) const {
  if (const auto* n = std::get_if<std::int32_t>(&vKey)) return Number(*n);
  return std::get<std::u16string>(vKey);
}

std::int32_t TabControl::Position(const TabRef& vKey) {
  const std::int32_t count = TabCount();
  std::int64_t p = -1;  // wide enough for the smallest number less one
  if (const auto* n = std::get_if<std::int32_t>(&vKey)) {
    p = static_cast<std::int64_t>(*n) - 1;
  } else {
    const auto& key = std::get<std::u16string>(vKey);
    for (std::int32_t i = 0; i < count && i < static_cast<std::int32_t>(keys_.size()); ++i) {
      if (keys_[i] == key) {
        p = i;
        break;
      }
    }
  }
  if (p < 0 || p >= count) Fail(tab_errors::kNoTab, u"TabIndex " + Describe(vKey) + u" does not exist");
  return static_cast<std::int32_t>(p);
}

std::int32_t TabControl::IndexForTab(const TabRef& vKey) { return Position(vKey) + 1; }

void TabControl::AddTab(const std::u16string& sText, std::int32_t iIconIndex, const TabRef& vKeyBefore,
                        const std::u16string& key, std::int32_t lItemData) {
  EnsureWindow();
  const std::int32_t n = TabCount();
  std::int32_t p = n;
  if (const auto* before = std::get_if<std::int32_t>(&vKeyBefore)) {
    if (*before > -1) p = *before - 1;
  } else {
    p = Position(vKeyBefore);  // an unknown key fails before anything changes
  }
  keys_.resize(static_cast<std::size_t>(n) + 1);
  std::u16string text = sText;
  TCITEMA item;
  item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
  item.pszText = text.data();
  item.iImage = iIconIndex;
  item.lParam = lItemData;
  const LRESULT at = Send(TCM_INSERTITEMA, static_cast<WPARAM>(static_cast<LONG_PTR>(p)), reinterpret_cast<LPARAM>(&item));
  // The key goes where the tab went (a position past the end appends); a tab that was not added
  // leaves the keys as they were.
  if (at < 0 || at > n) {
    keys_.resize(static_cast<std::size_t>(n));
    return;
  }
  keys_.pop_back();
  keys_.insert(keys_.begin() + at, key);
}

void TabControl::RemoveTab(const TabRef& vKey) {
  EnsureWindow();
  const std::int32_t p = Position(vKey);
  const bool wasSelected = SelectedTab() == p + 1;
  if (Send(TCM_DELETEITEM, static_cast<WPARAM>(p), 0) == 0) return;
  const std::int32_t count = TabCount();
  if (count == 0) {
    keys_.clear();
    return;
  }
  if (p < static_cast<std::int32_t>(keys_.size())) keys_.erase(keys_.begin() + p);
  keys_.resize(static_cast<std::size_t>(count));
  if (wasSelected) SelectTab(std::min(p + 1, count));
}

void TabControl::RemoveAllTabs() {
  EnsureWindow();
  Send(TCM_DELETEALLITEMS, 0, 0);
  if (TabCount() == 0) keys_.clear();
}

std::int32_t TabControl::SelectedTab() {
  EnsureWindow();
  return tab_ != 0 ? static_cast<std::int32_t>(Send(TCM_GETCURSEL, 0, 0)) + 1 : 0;
}

void TabControl::SelectTab(const TabRef& vKey, bool bNoEvents) {
  EnsureWindow();
  const std::int32_t p = Position(vKey);
  bool cancel = false;
  if (!bNoEvents && SelectedTab() > 0) RaiseEvent(BeforeClick, SelectedTab(), cancel);
  if (cancel) return;
  Send(TCM_SETCURSEL, static_cast<WPARAM>(p), 0);
  if (!bNoEvents) RaiseEvent(TabClick, p + 1);
}

bool TabControl::GetItem(std::int32_t index, UINT mask, DWORD stateMask, void* out) {
  auto* item = static_cast<TCITEMA*>(out);
  item->mask = mask;
  item->dwStateMask = stateMask;
  return Send(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)) != 0;
}

std::u16string TabControl::TabText(const TabRef& vKey) {
  EnsureWindow();
  const std::int32_t p = Position(vKey);
  std::u16string buffer(kTextBuffer, u'\0');
  TCITEMA item;
  item.pszText = buffer.data();
  item.cchTextMax = kTextBuffer;
  if (!GetItem(p, TCIF_TEXT, 0, &item)) Fail(tab_errors::kNoText, u"TabIndex " + Describe(vKey) + u" does not exist");
  return buffer.substr(0, buffer.find(u'\0'));
}

std::int32_t TabControl::TabImage(const TabRef& vKey) {
  EnsureWindow();
  TCITEMA item;
  if (!GetItem(Position(vKey), TCIF_IMAGE, 0, &item)) Fail(tab_errors::kGetImage, u"Failed to get image for tab " + Describe(vKey));
  return item.iImage;
}

void TabControl::TabImage(const TabRef& vKey, std::int32_t lImageIndex) {
  EnsureWindow();
  TCITEMA item;
  item.mask = TCIF_IMAGE;
  item.iImage = lImageIndex;
  if (Send(TCM_SETITEMA, static_cast<WPARAM>(Position(vKey)), reinterpret_cast<LPARAM>(&item)) == 0)
    Fail(tab_errors::kSetImage, u"Failed to set image for tab " + Describe(vKey));
}

std::int32_t TabControl::TabItemData(const TabRef& vKey) {
  EnsureWindow();
  TCITEMA item;
  if (!GetItem(Position(vKey), TCIF_PARAM, 0, &item)) Fail(tab_errors::kGetData, u"Failed to get item data for tab " + Describe(vKey));
  return static_cast<std::int32_t>(item.lParam);
}

void TabControl::TabItemData(const TabRef& vKey, std::int32_t v) {
  EnsureWindow();
  TCITEMA item;
  item.mask = TCIF_PARAM;
  item.lParam = v;
  if (Send(TCM_SETITEMA, static_cast<WPARAM>(Position(vKey)), reinterpret_cast<LPARAM>(&item)) == 0)
    Fail(tab_errors::kSetData, u"Failed to set item data for tab " + Describe(vKey));
}

bool TabControl::TabHot(const TabRef& vKey) {
  EnsureWindow();
  TCITEMA item;
  if (!GetItem(Position(vKey), TCIF_STATE, TCIS_HIGHLIGHTED, &item))
    Fail(tab_errors::kGetData, u"Failed to get hot state for tab " + Describe(vKey));
  return (item.dwState & TCIS_HIGHLIGHTED) != 0;
}

std::u16string TabControl::TabKey(std::int32_t lTab) {
  EnsureWindow();
  if (lTab < 1 || lTab > TabCount()) Fail(tab_errors::kNoTab, u"TabIndex " + Number(lTab) + u" does not exist");
  return static_cast<std::size_t>(lTab) <= keys_.size() ? keys_[lTab - 1] : std::u16string();
}

// --- display area ---------------------------------------------------------------------------------

RECT TabControl::DisplayArea() {
  RECT r{0, 0, 0, 0};
  if (tab_ == 0) return r;
  GetClientRect(tab_, &r);
  Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

float TabControl::ClientLeft() {
  EnsureWindow();
  return Left() + static_cast<float>(DisplayArea().left * vb::TwipsPerPixel);
}
float TabControl::ClientTop() {
  EnsureWindow();
  return Top() + static_cast<float>(DisplayArea().top * vb::TwipsPerPixel);
}
float TabControl::ClientWidth() {
  EnsureWindow();
  const RECT r = DisplayArea();
  return static_cast<float>((r.right - r.left) * vb::TwipsPerPixel);
}
float TabControl::ClientHeight() {
  EnsureWindow();
  const RECT r = DisplayArea();
  return static_cast<float>((r.bottom - r.top) * vb::TwipsPerPixel);
}

// --- the control's life ---------------------------------------------------------------------------

void TabControl::UserControl_InitProperties() {
  font_ = Ambient().Font;
  CreateTabWindow();
  SetTabFont();
}

void TabControl::UserControl_ReadProperties(vb::PropertyBag& bag) {
  hotTrack_ = bag.ReadProperty(u"HotTrack", false);
  buttons_ = bag.ReadProperty(u"Buttons", false);
  multiLine_ = bag.ReadProperty(u"MultiLine", false);
  rightJustify_ = bag.ReadProperty(u"RightJustify", false);
  tabAlign_ = bag.ReadProperty<std::int32_t>(u"TabAlign", 0);
  FlatSeparators(bag.ReadProperty(u"FlatSeparators", false));
  FlatButtons(bag.ReadProperty(u"FlatButtons", false));
  ownerDraw_ = bag.ReadProperty(u"OwnerDraw", false);
  coolTabs_ = bag.ReadProperty<std::int32_t>(u"CoolTabs", 0);
  CreateTabWindow();
  FlatSeparators(flatSeparators_);
  vb::StdFont standard;
  standard.Name = u"MS Sans Serif";
  standard.Size = 8;
  font_ = bag.ReadProperty(u"Font", standard);
  SetTabFont();
}

void TabControl::UserControl_WriteProperties(vb::PropertyBag& bag) {
  vb::StdFont standard;
  standard.Name = u"MS Sans Serif";
  standard.Size = 8;
  bag.WriteProperty(u"Font", font_, standard);
  bag.WriteProperty<std::int32_t>(u"TabAlign", tabAlign_, 0);
  bag.WriteProperty(u"HotTrack", hotTrack_, false);
  bag.WriteProperty(u"Buttons", buttons_, false);
  bag.WriteProperty(u"MultiLine", multiLine_, false);
  bag.WriteProperty(u"RightJustify", rightJustify_, false);
  bag.WriteProperty(u"FlatSeparators", flatSeparators_, false);
  bag.WriteProperty(u"FlatButtons", flatButtons_, false);
  bag.WriteProperty(u"OwnerDraw", ownerDraw_, false);
  bag.WriteProperty<std::int32_t>(u"CoolTabs", coolTabs_, 0);
}

void TabControl::UserControl_Resize() {
  if (tab_ == 0) return;
  RECT r;
  GetClientRect(hWnd(), &r);
  MoveWindow(tab_, 0, 0, r.right, r.bottom, TRUE);
}

void TabControl::UserControl_Terminate() {
  DestroyTabWindow();
  modTabStrip::Deactivate(this);
  keys_.clear();  // the tabs went with the window; a new load starts without them
}


HWND TabControl::TabCtrlhWnd() {
  EnsureWindow();
  return tab_;
}
