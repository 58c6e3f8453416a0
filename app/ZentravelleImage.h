#pragma once
// The About picture (picture resource 168 of the application), cached for the run.
#include "framework/graphics/Picture.h"

PicturePtr ZentravelleImage();

namespace ZentravelleImageCache {
// The cache; released at shut-down. A Nil picture is not remembered as a miss.
extern PicturePtr _permapic;
}
