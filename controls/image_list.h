// A keyed image list: equally sized icons, cursors or bitmaps in one platform image list, each with
// an optional text key, so that windows load their command icons from files by name and later
// find, draw or hand them on by key. Positions are 1-based.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/gdi/types.h"
#include "platform/vb/stdole.h"

namespace vb {
class PictureBox;
}

namespace controls {

// An image named by its position (a number, or text that reads as one) or by its key.
class ImageRef {
 public:
  ImageRef(std::int32_t position) : value_(position) {}
  ImageRef(std::u16string key) : value_(std::move(key)) {}
  ImageRef(const char16_t* key) : value_(std::u16string(key)) {}
  // The position when the reference is numeric.
  std::optional<std::int32_t> Position() const;
  const std::u16string* Key() const { return std::get_if<std::u16string>(&value_); }

 private:
  std::variant<std::int32_t, std::u16string> value_;
};

class clsImageList {
 public:
  clsImageList() = default;
  ~clsImageList();
  clsImageList(const clsImageList&) = delete;
  clsImageList& operator=(const clsImageList&) = delete;

  // The context compatible bitmaps are made for; 0: a display context of the list's own.
  void SetOwnerHDC(win::HDC hdc) { ownerHDC_ = hdc; }
  // Bits per pixel of the display.
  std::int32_t SystemColourDepth() const;
  // Copies the second image over the first (copyFlag 0) or swaps them (1), keys with them.
  void SwapOrCopyImage(const ImageRef& key1, const ImageRef& key2, std::int32_t copyFlag);
  // A new empty list of IconSizeX x IconSizeY at ColourDepth; False when none could be made.
  bool Create();
  void Destroy();
  // Draws the image at (x, y): blended half with the highlight colour when selected, or with
  // cutColour (missing or untranslatable: the window colour) when cut; in the disabled look when
  // disabled. otherList, when not 0, is the list drawn from (the image's position is this list's).
  void DrawImage(const ImageRef& key, win::HDC hDC, int x, int y, bool selected = false, bool cut = false,
                 bool disabled = false, win::OLE_COLOR cutColour = win::CLR_NONE, win::HIMAGELIST otherList = 0);
  std::int32_t IconSizeX() const { return iconSizeX_; }
  void SetIconSizeX(std::int32_t pixels) { iconSizeX_ = pixels; }
  std::int32_t IconSizeY() const { return iconSizeY_; }
  void SetIconSizeY(std::int32_t pixels) { iconSizeY_ = pixels; }
  // 0 (the platform's default) or 4, 8, 16, 24, 32 bits per pixel; used by the next Create.
  std::int32_t ColourDepth() const { return colourDepth_; }
  void SetColourDepth(std::int32_t flags) { colourDepth_ = flags; }
  std::int16_t ImageCount() const;
  // Removes the image; a reference to no image raises error 9 and removes nothing.
  void RemoveImage(const ImageRef& key);
  // The image's position; -1 for a key no image holds. A position outside 1 to ImageCount raises 9.
  std::int32_t ItemIndex(const ImageRef& key) const;
  std::u16string ItemKey(std::int32_t position) const;
  // Keys are unique: a key another image holds is refused (the image keeps its own).
  void SetItemKey(std::int32_t position, const std::u16string& key);
  bool KeyExists(std::u16string_view key) const;
  // The image as an icon picture (null when the key names no image).
  vb::Picture ItemPicture(const ImageRef& key) const;
  // A new icon of the image, for the caller to destroy; 0 when the key names no image.
  win::HICON ItemCopyOfIcon(const ImageRef& key) const;
  // A new empty list at the current size and depth.
  void Clear();
  // Has `fill` add the list's images the first time its images or keys are read, drawn or changed,
  // here or through hIml, instead of now (a list made anew by Create or Clear forgets it).
  void FillWhenUsed(std::function<void()> fill);
  // Adds the image of an .ico, .cur (scaled to the list's size) or .bmp file (type IMAGE_ICON,
  // IMAGE_CURSOR or IMAGE_BITMAP); False and nothing added when the file can't be read.
  bool AddFromFile(const std::u16string& fileName, win::UINT imageType, const std::u16string& key = {},
                   bool mapSystemColours = false, std::int32_t backColour = -1,
                   const std::optional<ImageRef>& insertAfter = std::nullopt);
  // Adds the image of the module's resource of that id (the program's own module, from
  // win::GetModuleHandleA(nullptr), carries the program's resources), at its own size scaled to the
  // list's; False and nothing added when there is no such resource.
  bool AddFromResourceID(std::int32_t resourceId, win::HINSTANCE module, win::UINT imageType,
                         const std::u16string& key = {}, bool mapSystemColours = false, std::int32_t backColour = -1,
                         const std::optional<ImageRef>& insertAfter = std::nullopt);
  // Adds the image of a handle the caller keeps. A bitmap is cut into cells of the list's width;
  // backColour (-1: its top-left pixel's) is see-through. With insertAfter (other than 0) the new
  // image goes just after that image, and nothing is added when it names none.
  bool AddFromHandle(win::HANDLE handle, win::UINT imageType, const std::u16string& key = {},
                     std::int32_t backColour = -1, const std::optional<ImageRef>& insertAfter = std::nullopt);
  // Adds one cell of IconSizeX x IconSizeY from (left, top) of the source context (0: the working
  // context), cut where the box's Picture ends; what is not copied is the back colour, which is
  // see-through (-1: the colour at the top left of the box's own context). Returns the new image's
  // position, 0 when nothing was added; the key goes on the new image.
  std::int32_t AddFromPictureBox(win::HDC sourceDC, vb::PictureBox& box, const std::u16string& key, int left = 0,
                                 int top = 0, std::int32_t backColour = -1);
  win::HIMAGELIST hIml() const { return list_; }
  // The images from first to last (default: all, at least two) side by side on backColour, in a
  // bitmap ImageCount images wide; null when there are fewer than two.
  vb::Picture ImagePictureStrip(const std::optional<ImageRef>& firstKey = std::nullopt,
                                const std::optional<ImageRef>& lastKey = std::nullopt, win::OLE_COLOR backColour = 0);
  // Writes every image and key to the file (replacing it); False without a list. Raises the error
  // that stopped it (9 for a list without images, 5 for a key the file cannot hold, file errors).
  bool SaveToFile(const std::u16string& fileName);
  // Appends the file's images with their keys (a key another image holds is not given); False
  // without a list. A damaged or short file raises 9 or 62 after the images read before it.
  bool LoadFromFile(const std::u16string& fileName);

 private:
  win::HDC WorkingDC();
  // Adds a loaded image and frees it.
  bool AddLoaded(win::HANDLE h, win::UINT imageType, const std::u16string& key, std::int32_t backColour,
                 const std::optional<ImageRef>& insertAfter);
  void StoreKey(size_t slot, const std::u16string& key);
  void FitKeys();

  win::HIMAGELIST list_ = 0;
  std::int32_t iconSizeX_ = 16;
  std::int32_t iconSizeY_ = 16;
  std::int32_t colourDepth_ = 0;
  std::vector<std::u16string> keys_;
  win::HDC ownerHDC_ = 0;
  win::HDC displayDC_ = 0;
};

}  // namespace controls
