// Inside the testing hooks: a picture made from what the toolkit grabbed of the screen.
#pragma once

#include <QImage>

#include "platform/testing/picture.h"

namespace platform::testing::detail {

Picture PictureOf(const QImage& image);

}  // namespace platform::testing::detail
