#include "platform/vb/stdole.h"

#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"

namespace vb {

StdPicture::StdPicture(int type, std::intptr_t handle) : type_(type), handle_(handle) {}

StdPicture::~StdPicture() {
  if (type_ == vbPicTypeBitmap) win::DeleteObject(handle_);
  if (type_ == vbPicTypeIcon) win::DestroyIcon(handle_);
}

namespace {

// The size of a bitmap, or of an icon's colour picture.
win::BITMAP Measure(int type, std::intptr_t handle) {
  win::BITMAP bm;
  if (type == vbPicTypeBitmap) {
    win::GetObject(handle, sizeof bm, &bm);
  } else if (win::ICONINFO ii; type == vbPicTypeIcon && win::GetIconInfo(handle, &ii)) {
    win::GetObject(ii.hbmColor, sizeof bm, &bm);
    win::DeleteObject(ii.hbmColor);
    win::DeleteObject(ii.hbmMask);
  }
  return bm;
}

}  // namespace

int StdPicture::WidthPixels() const { return Measure(type_, handle_).bmWidth; }

int StdPicture::HeightPixels() const { return Measure(type_, handle_).bmHeight; }

}  // namespace vb
