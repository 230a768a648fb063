#include "preferences/forms/program_picture.h"

#include <string>

#include "platform/vb/app.h"
#include "platform/vb/error.h"
#include "platform/vb/image.h"

vb::Picture ProgramPicture(std::u16string_view relative) {
  try {
    return vb::LoadPicture(vb::App.Path() + u"\\" + std::u16string(relative));
  } catch (const vb::Error&) {
    return vb::LoadPicture();  // a decoration may be missing: the window shows without it
  }
}
