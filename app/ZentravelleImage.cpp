#include "app/ZentravelleImage.h"

#include "framework/desktop/ResourceFork.h"
#include "framework/runtime/NilObjectException.h"

PicturePtr ZentravelleImageCache::_permapic;

PicturePtr ZentravelleImage() {
    if (!ZentravelleImageCache::_permapic) {
        ResourceForkPtr resources = ApplicationResourceFork();
        if (!resources) throw NilObjectException("the application's resource file");
        ZentravelleImageCache::_permapic = resources->GetPicture(168);
    }
    return ZentravelleImageCache::_permapic;
}
