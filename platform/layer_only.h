// The mark of a header that holds the layer's own workings (its contract begins "Inside the layer
// only"): such a header includes this one first, and a file that is not built as part of the layer
// then fails to build. The layer's libraries (qm_platform, its modules, qm_platform_testing) are
// built with QM_PLATFORM_LAYER defined, and so are the few tests of the layer's workings that
// reach into them (tests/CMakeLists.txt names them); code outside platform/ uses the public headers.
#pragma once

#ifndef QM_PLATFORM_LAYER
#error "a header of the platform layer's own workings: code outside platform/ uses the layer's public headers"
#endif
