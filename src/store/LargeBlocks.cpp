#include "store/LargeBlocks.h"

// Defines __GLIBC__ where the C library is the GNU one; the test below needs it.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace opusteca::memory {

void mapLargeBlocks()
{
#if defined(__GLIBC__)
    // A fixed threshold also turns off the library's raising of it.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

} // namespace opusteca::memory
