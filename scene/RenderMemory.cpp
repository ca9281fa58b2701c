#include "scene/RenderMemory.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

void KeepFrameSizedBlocksForReuse() {
#ifdef __GLIBC__
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}
