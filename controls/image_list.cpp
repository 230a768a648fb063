// The keyed image list.
#include "controls/image_list.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "controls/image_list_file.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"
#include "platform/vb/app.h"
#include "platform/vb/error.h"
#include "platform/vb/file_system.h"
#include "platform/vb/picturebox.h"
#include "platform/vb/strings.h"

namespace controls {
namespace {

[[noreturn]] void RaiseError(std::int32_t number, std::u16string description = {}) {
  vb::Raise(number, vb::ErrorSource(u"kestImageList"), std::move(description));
}

// A path of the program's (where "\" separates folders too) for the file streams.
std::string FilePath(const std::u16string& name) {
  std::string path = vb::ToUtf8(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

void FreeImage(win::HANDLE h, win::UINT type) {
  if (type == win::IMAGE_BITMAP) win::DeleteObject(h);
  if (type == win::IMAGE_ICON) win::DestroyIcon(h);
  if (type == win::IMAGE_CURSOR) win::DestroyCursor(h);
}

// The bitmap's record and pixels as a bottom-up DIB of `bits` per pixel; false when unreadable.
bool ReadBlock(win::HDC dc, win::HBITMAP bitmap, int bits, std::int64_t reserved, ImageListFileBlock& b) {
  win::BITMAP bm;
  if (win::GetObjectA(bitmap, sizeof bm, &bm) == 0 || bm.bmWidth < 1 || bm.bmHeight < 1) return false;
  b.type = bm.bmType;
  b.width = bm.bmWidth;
  b.height = bm.bmHeight;
  b.widthBytes = bm.bmWidthBytes;
  b.planes = bm.bmPlanes;
  b.bitsPixel = bm.bmBitsPixel;
  b.bitsPointer = 0;
  b.bits.assign(static_cast<size_t>(reserved), 0);
  win::BITMAPINFO info;
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = bm.bmHeight;
  info.bmiHeader.biBitCount = static_cast<win::WORD>(bits);
  return win::GetDIBits(dc, bitmap, 0, static_cast<win::UINT>(bm.bmHeight), b.bits.data(), &info,
                        win::DIB_RGB_COLORS) == bm.bmHeight;
}

// A bitmap made from a block's pixels (a colour bitmap compatible with dc, or a monochrome one).
win::HBITMAP MakeBitmap(win::HDC dc, const ImageListFileBlock& b, int bits) {
  const win::HBITMAP bitmap =
      bits == 1 ? win::CreateBitmap(b.width, b.height, 1, 1, nullptr) : win::CreateCompatibleBitmap(dc, b.width, b.height);
  if (bitmap == 0) return 0;
  win::BITMAPINFO info;
  info.bmiHeader.biWidth = b.width;
  info.bmiHeader.biHeight = b.height;
  info.bmiHeader.biBitCount = static_cast<win::WORD>(bits);
  info.bmiColors[0] = win::RGBQUAD{0, 0, 0, 0};
  info.bmiColors[1] = win::RGBQUAD{255, 255, 255, 0};
  if (win::SetDIBits(dc, bitmap, 0, static_cast<win::UINT>(b.height), b.bits.data(), &info, win::DIB_RGB_COLORS) !=
      b.height) {
    win::DeleteObject(bitmap);
    return 0;
  }
  return bitmap;
}

}  // namespace

std::optional<std::int32_t> ImageRef::Position() const {
  if (const auto* n = std::get_if<std::int32_t>(&value_)) return *n;
  const std::u16string& text = std::get<std::u16string>(value_);
  if (!vb::IsNumeric(text)) return std::nullopt;
  return vb::CLng(text);
}

clsImageList::~clsImageList() { Destroy(); }

std::int32_t clsImageList::SystemColourDepth() const {
  const win::HDC dc = win::CreateDC("DISPLAY", "", "", nullptr);
  const int bits = win::GetDeviceCaps(dc, win::BITSPIXEL);
  win::DeleteDC(dc);
  return bits;
}

void clsImageList::SwapOrCopyImage(const ImageRef& key1, const ImageRef& key2, std::int32_t copyFlag) {
  const std::int32_t p1 = ItemIndex(key1);
  const std::int32_t p2 = ItemIndex(key2);
  if (p1 < 1 || p2 < 1) return;
  win::ImageList_Copy(list_, p1 - 1, list_, p2 - 1, static_cast<win::UINT>(copyFlag));
  FitKeys();  // images added through the list's handle have no entry yet
  if ((copyFlag & win::ILCF_SWAP) != 0) std::swap(keys_[static_cast<size_t>(p1 - 1)], keys_[static_cast<size_t>(p2 - 1)]);
}

bool clsImageList::Create() {
  Destroy();
  const win::HIMAGELIST h = win::ImageList_Create(iconSizeX_, iconSizeY_,
                                                  static_cast<win::UINT>(colourDepth_) | win::ILC_MASK, 4, 4);
  if (h == 0 || h == -1) return false;
  list_ = h;
  return true;
}

void clsImageList::Destroy() {
  if (list_ != 0) {
    win::ImageList_Destroy(list_);
    list_ = 0;
    keys_.clear();
  }
  if (displayDC_ != 0) {
    win::DeleteDC(displayDC_);
    displayDC_ = 0;
  }
}

void clsImageList::DrawImage(const ImageRef& key, win::HDC hDC, int x, int y, bool selected, bool cut, bool disabled,
                             win::OLE_COLOR cutColour, win::HIMAGELIST otherList) {
  const std::int32_t p = ItemIndex(key);
  if (p - 1 < 0) return;
  const win::HIMAGELIST from = otherList != 0 ? otherList : list_;
  const win::UINT flags = win::ILD_TRANSPARENT | (selected || cut ? win::ILD_BLEND50 : 0);
  if (cut) {
    win::COLORREF colour = 0;
    if (win::FAILED(win::OleTranslateColor(cutColour, 0, &colour))) colour = win::GetSysColor(win::COLOR_WINDOW);
    win::ImageList_DrawEx(from, p - 1, hDC, x, y, 0, 0, win::CLR_NONE, colour, flags);
  } else if (disabled) {
    const win::HICON icon = win::ImageList_GetIcon(from, p - 1, win::ILD_NORMAL);
    win::DrawState(hDC, 0, nullptr, icon, 0, x, y, iconSizeX_, iconSizeY_, win::DST_ICON | win::DSS_DISABLED);
    win::DestroyIcon(icon);
  } else {
    win::ImageList_Draw(from, p - 1, hDC, x, y, flags);
  }
}

std::int16_t clsImageList::ImageCount() const {
  return list_ == 0 ? 0 : static_cast<std::int16_t>(win::ImageList_GetImageCount(list_));
}

void clsImageList::RemoveImage(const ImageRef& key) {
  if (list_ == 0) return;
  const std::int32_t p = ItemIndex(key);
  if (p < 1) RaiseError(vb::err::kSubscriptOutOfRange);
  win::ImageList_Remove(list_, p - 1);
  if (static_cast<size_t>(p - 1) < keys_.size()) keys_.erase(keys_.begin() + (p - 1));
  FitKeys();
}

std::int32_t clsImageList::ItemIndex(const ImageRef& key) const {
  const std::int32_t count = ImageCount();
  if (const auto n = key.Position()) {
    if (*n < 1 || *n > count) RaiseError(vb::err::kSubscriptOutOfRange);
    return *n;
  }
  for (std::int32_t i = 0; i < count && i < static_cast<std::int32_t>(keys_.size()); ++i)
    if (keys_[static_cast<size_t>(i)] == *key.Key()) return i + 1;
  return -1;
}

std::u16string clsImageList::ItemKey(std::int32_t position) const {
  const std::int32_t p = ItemIndex(position);
  return static_cast<size_t>(p - 1) < keys_.size() ? keys_[static_cast<size_t>(p - 1)] : std::u16string();
}

void clsImageList::SetItemKey(std::int32_t position, const std::u16string& key) {
  StoreKey(static_cast<size_t>(ItemIndex(position) - 1), key);
}

bool clsImageList::KeyExists(std::u16string_view key) const {
  ImageCount();  // the keys are those of the images there are, filled first when they wait
  return std::any_of(keys_.begin(), keys_.end(), [&](const std::u16string& k) { return k == key; });
}

void clsImageList::FillWhenUsed(std::function<void()> fill) { win::ImageList_FillWhenUsed(list_, std::move(fill)); }

vb::Picture clsImageList::ItemPicture(const ImageRef& key) const {
  const win::HICON icon = ItemCopyOfIcon(key);
  if (icon == 0) return nullptr;
  return std::make_shared<vb::StdPicture>(vb::vbPicTypeIcon, icon);
}

win::HICON clsImageList::ItemCopyOfIcon(const ImageRef& key) const {
  const std::int32_t p = ItemIndex(key);
  if (p < 1) return 0;
  return win::ImageList_GetIcon(list_, p - 1, win::ILD_TRANSPARENT);
}

void clsImageList::Clear() {
  Create();
  keys_.clear();
}

bool clsImageList::AddFromFile(const std::u16string& fileName, win::UINT imageType, const std::u16string& key,
                               bool mapSystemColours, std::int32_t backColour,
                               const std::optional<ImageRef>& insertAfter) {
  if (list_ == 0) return false;
  const bool bitmap = imageType == win::IMAGE_BITMAP;
  const win::HANDLE h = win::LoadImageA(0, vb::ToUtf8(fileName), imageType, bitmap ? 0 : iconSizeX_,
                                        bitmap ? 0 : iconSizeY_,
                                        win::LR_LOADFROMFILE | (mapSystemColours ? win::LR_LOADMAP3DCOLORS : 0));
  return AddLoaded(h, imageType, key, backColour, insertAfter);
}

bool clsImageList::AddLoaded(win::HANDLE h, win::UINT imageType, const std::u16string& key, std::int32_t backColour,
                             const std::optional<ImageRef>& insertAfter) {
  bool added = false;
  try {
    added = AddFromHandle(h, imageType, key, backColour, insertAfter);
  } catch (...) {
    FreeImage(h, imageType);
    throw;
  }
  FreeImage(h, imageType);
  return added;
}

bool clsImageList::AddFromResourceID(std::int32_t resourceId, win::HINSTANCE module, win::UINT imageType,
                                     const std::u16string& key, bool mapSystemColours, std::int32_t backColour,
                                     const std::optional<ImageRef>& insertAfter) {
  if (list_ == 0) return false;
  const win::HANDLE h = win::LoadImageA(module, resourceId, imageType, 0, 0, mapSystemColours ? win::LR_LOADMAP3DCOLORS : 0);
  return AddLoaded(h, imageType, key, backColour, insertAfter);
}

bool clsImageList::AddFromHandle(win::HANDLE handle, win::UINT imageType, const std::u16string& key,
                                 std::int32_t backColour, const std::optional<ImageRef>& insertAfter) {
  if (list_ == 0 || handle == 0) return false;
  const std::int32_t before = ImageCount();
  std::int32_t p = 0;
  bool insert = false;
  if (insertAfter && before > 0 && insertAfter->Position() != 0) {
    insert = true;
    p = ItemIndex(*insertAfter);
    if (p <= 0) return false;
  }
  int index = -1;
  if (imageType == win::IMAGE_BITMAP) {
    if (backColour == -1) {
      const win::HDC display = win::CreateDC("DISPLAY", "", "", nullptr);
      const win::HDC mem = display != 0 ? win::CreateCompatibleDC(display) : 0;
      win::DeleteDC(display);
      if (mem != 0) {
        const win::HGDIOBJ old = win::SelectObject(mem, handle);
        if (old != 0) {
          backColour = static_cast<std::int32_t>(win::GetPixel(mem, 0, 0));
          win::SelectObject(mem, old);
        }
        win::DeleteDC(mem);
      }
    }
    index = win::ImageList_AddMasked(list_, handle, static_cast<win::COLORREF>(backColour));
  } else if (imageType == win::IMAGE_ICON || imageType == win::IMAGE_CURSOR) {
    index = win::ImageList_AddIcon(list_, handle);
  }
  if (index == -1) {
    FitKeys();
    return false;
  }
  const std::int32_t after = ImageCount();
  const std::int32_t added = after - before;
  if (insert && p < after - 1) {
    keys_.resize(static_cast<size_t>(after));
    // Move the new block down one place at a time until it stands just after image p.
    for (std::int32_t s = before - 1; s >= p; --s)
      for (std::int32_t j = s; j <= s + added - 1; ++j) {
        win::ImageList_Copy(list_, j, list_, j + 1, win::ILCF_SWAP);
        std::swap(keys_[static_cast<size_t>(j)], keys_[static_cast<size_t>(j + 1)]);
      }
  }
  StoreKey(static_cast<size_t>(insert ? p : index), key);
  FitKeys();
  return true;
}

std::int32_t clsImageList::AddFromPictureBox(win::HDC sourceDC, vb::PictureBox& box, const std::u16string& key,
                                             int left, int top, std::int32_t backColour) {
  if (list_ == 0) return 0;
  const win::HDC source = sourceDC != 0 ? sourceDC : WorkingDC();
  const win::HDC mem = win::CreateCompatibleDC(source);
  const win::HBITMAP bitmap = win::CreateCompatibleBitmap(source, iconSizeX_, iconSizeY_);
  win::COLORREF back = 0;
  if (backColour != -1) {
    if (win::OleTranslateColor(static_cast<win::OLE_COLOR>(backColour), 0, &back) != win::S_OK) back = 0xC0C0C0;
  } else {
    back = win::GetPixel(box.hDC(), 0, 0);
  }
  const win::HGDIOBJ old = win::SelectObject(mem, bitmap);
  const win::RECT all{0, 0, iconSizeX_, iconSizeY_};
  const win::HBRUSH brush = win::CreateSolidBrush(back);
  win::FillRect(mem, &all, brush);
  win::DeleteObject(brush);
  win::BITMAP bm;
  if (const vb::Picture picture = box.Picture()) win::GetObjectA(picture->Handle(), sizeof bm, &bm);
  const int width = left + iconSizeX_ > bm.bmWidth ? bm.bmWidth - left : iconSizeX_;
  const int height = top + iconSizeY_ > bm.bmHeight ? bm.bmHeight - top : iconSizeY_;
  if (width >= 1 && height >= 1) win::BitBlt(mem, 0, 0, width, height, source, left, top, win::SRCCOPY);
  win::SelectObject(mem, old);
  // Without an insert position the add raises nothing.
  const bool added = AddFromHandle(bitmap, win::IMAGE_BITMAP, key, static_cast<std::int32_t>(back));
  win::DeleteObject(bitmap);
  win::DeleteDC(mem);
  return added ? ImageCount() : 0;  // the cell is one image, added at the end
}

vb::Picture clsImageList::ImagePictureStrip(const std::optional<ImageRef>& firstKey,
                                            const std::optional<ImageRef>& lastKey, win::OLE_COLOR backColour) {
  if (list_ == 0) return nullptr;
  const std::int32_t count = ImageCount();
  const std::int32_t first = firstKey ? ItemIndex(*firstKey) - 1 : 0;
  const std::int32_t last = lastKey ? ItemIndex(*lastKey) - 1 : count - 1;
  // A first key that names no image (slot -2) starts the strip before the first image.
  if (last <= first || last < 0) return nullptr;
  const win::HDC work = WorkingDC();
  const win::HDC mem = win::CreateCompatibleDC(work);
  if (mem == 0) return nullptr;
  vb::Picture picture;
  const win::HBITMAP bitmap = win::CreateCompatibleBitmap(work, count * iconSizeX_, iconSizeY_);
  const win::HGDIOBJ old = win::SelectObject(mem, bitmap);
  if (old == 0) {
    win::DeleteObject(bitmap);
  } else {
    win::COLORREF back = 0;
    win::OleTranslateColor(backColour, 0, &back);
    const win::RECT r{0, 0, count * iconSizeX_, iconSizeY_};
    const win::HBRUSH brush = win::CreateSolidBrush(back);
    win::FillRect(mem, &r, brush);
    win::DeleteObject(brush);
    for (std::int32_t slot = first; slot <= last; ++slot)
      win::ImageList_Draw(list_, slot, mem, slot * iconSizeX_, 0, win::ILD_TRANSPARENT);
    win::SelectObject(mem, old);
    picture = std::make_shared<vb::StdPicture>(vb::vbPicTypeBitmap, bitmap);
  }
  win::DeleteDC(mem);
  return picture;
}

bool clsImageList::SaveToFile(const std::u16string& fileName) {
  if (list_ == 0) return false;
  ImageListFile file;
  file.version = (vb::App.Major % 32768) * 65536 + vb::App.Minor;
  const win::HDC dc = win::CreateDC("DISPLAY", "", "", nullptr);
  const std::int32_t count = ImageCount();
  for (std::int32_t i = 0; i < count; ++i) {
    const win::HICON icon = win::ImageList_GetIcon(list_, i, win::ILD_TRANSPARENT);
    if (icon == 0 || icon == -1) continue;
    win::ICONINFO info;
    if (win::GetIconInfo(icon, &info)) {
      ImageListFileRecord r;
      r.iconFlag = info.fIcon;
      r.hotX = static_cast<std::int32_t>(info.xHotspot);
      r.hotY = static_cast<std::int32_t>(info.yHotspot);
      win::BITMAP bm;
      const bool sized = info.hbmColor != 0 && win::GetObjectA(info.hbmColor, sizeof bm, &bm) != 0;
      // Files of version 0 or below hold 24-bit colour blocks.
      const int colourBits = file.version >= 1 ? 32 : 24;
      if (sized &&
          ReadBlock(dc, info.hbmColor, colourBits, ColourBlockBytes(file.version, bm.bmWidth, bm.bmHeight), r.colour) &&
          ReadBlock(dc, info.hbmMask, 1, MaskBlockBytes(bm.bmWidth, bm.bmHeight), r.mask)) {
        file.records.push_back(std::move(r));
        file.keys.push_back(static_cast<size_t>(i) < keys_.size() ? keys_[static_cast<size_t>(i)] : std::u16string());
      }
      if (info.hbmColor != 0) win::DeleteObject(info.hbmColor);
      win::DeleteObject(info.hbmMask);
    }
    win::DestroyIcon(icon);
  }
  win::DeleteDC(dc);
  if (file.records.empty()) RaiseError(vb::err::kSubscriptOutOfRange);
  std::u16string refused;
  const auto bytes = WriteImageListFile(file, &refused);
  if (!bytes)
    RaiseError(vb::err::kInvalidProcedureCall, u"Ключ \"" + refused + u"\" нельзя записать в файл списка изображений: в нём допустимы только "
                  u"символы кодовой страницы Windows 1251, кроме \"я\".");
  // Written as documents are: a failure leaves the old file as it was.
  try {
    vb::WriteAllBytesSafely(fileName, std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  } catch (const vb::Error& e) {
    RaiseError(e.Number, e.Description);
  }
  return true;
}

bool clsImageList::LoadFromFile(const std::u16string& fileName) {
  if (list_ == 0) return false;
  std::ifstream in(FilePath(fileName), std::ios::binary);
  if (!in) RaiseError(vb::err::kFileNotFound);
  const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) RaiseError(vb::err::kDeviceIOError);
  const ImageListFile file = ReadImageListFile(data);
  const size_t first = static_cast<size_t>(ImageCount());
  const win::HDC dc = win::CreateDC("DISPLAY", "", "", nullptr);
  const int colourBits = file.version >= 1 ? 32 : 24;
  bool damaged = false;
  for (const ImageListFileRecord& r : file.records) {
    const win::HBITMAP colour = MakeBitmap(dc, r.colour, colourBits);
    const win::HBITMAP mask = colour != 0 ? MakeBitmap(dc, r.mask, 1) : 0;
    win::HICON icon = 0;
    if (colour != 0 && mask != 0) {
      win::ICONINFO info;
      info.fIcon = win::TRUE;
      info.xHotspot = static_cast<win::DWORD>(r.hotX);
      info.yHotspot = static_cast<win::DWORD>(r.hotY);
      info.hbmColor = colour;
      info.hbmMask = mask;
      icon = win::CreateIconIndirect(&info);
    }
    if (colour != 0) win::DeleteObject(colour);
    if (mask != 0) win::DeleteObject(mask);
    const bool added = icon != 0 && win::ImageList_AddIcon(list_, icon) != -1;
    if (icon != 0) win::DestroyIcon(icon);
    if (!added) {
      damaged = true;  // the keys that follow would name the wrong images
      break;
    }
  }
  win::DeleteDC(dc);
  FitKeys();
  if (damaged) {
    const ImageListFileError error = DamagedRecord();
    RaiseError(error.number, error.description);
  }
  if (file.error) RaiseError(file.error->number, file.error->description);
  for (size_t i = 0; i < file.keys.size() && first + i < keys_.size(); ++i)
    if (!file.keys[i].empty()) StoreKey(first + i, file.keys[i]);
  return true;
}

win::HDC clsImageList::WorkingDC() {
  if (ownerHDC_ != 0) return ownerHDC_;
  if (displayDC_ == 0) displayDC_ = win::CreateDC("DISPLAY", "", "", nullptr);
  return displayDC_;
}

void clsImageList::StoreKey(size_t slot, const std::u16string& key) {
  if (list_ == 0) return;
  if (slot >= keys_.size()) keys_.resize(slot + 1);
  for (size_t i = 0; i < keys_.size(); ++i)
    if (i != slot && !vb::Trim(keys_[i]).empty() && keys_[i] == key) return;
  keys_[slot] = key;
}

void clsImageList::FitKeys() { keys_.resize(static_cast<size_t>(ImageCount())); }

}  // namespace controls
