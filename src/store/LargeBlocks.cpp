#include "store/LargeBlocks.h"

#include <algorithm>
// Defines __GLIBC__ where the C library is the GNU one; the test below needs it.
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
// Under the address checker every block comes from the C library, which it
// watches byte by byte.
#if defined(__SANITIZE_ADDRESS__)
#define OPUSTECA_MAP_BLOCKS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OPUSTECA_MAP_BLOCKS 0
#endif
#endif
#if !defined(OPUSTECA_MAP_BLOCKS) && defined(__linux__)
#define OPUSTECA_MAP_BLOCKS 1
#elif !defined(OPUSTECA_MAP_BLOCKS)
#define OPUSTECA_MAP_BLOCKS 0
#endif
#if OPUSTECA_MAP_BLOCKS
#include <sys/mman.h>
#endif

namespace opusteca::memory {
namespace {

// The first room a block takes: a search with a few matches needs no more.
constexpr std::size_t kFirstRoom = 64 * 1024;

#if OPUSTECA_MAP_BLOCKS
// From this size on a block is mapped by itself, in whole huge pages (2 MiB
// on the machines this runs on); below it the C library's blocks waste less.
constexpr std::size_t kHugePage = 2 * 1024 * 1024;
constexpr std::size_t kMapFrom = kHugePage;

std::size_t wholeHugePages(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

// Huge pages are a wish: where the system has none, or none free, the block
// simply has ordinary pages.
void askHugePages(void *at, std::size_t bytes)
{
#if defined(MADV_HUGEPAGE)
    (void)madvise(at, bytes, MADV_HUGEPAGE);
#else
    (void)at;
    (void)bytes;
#endif
}
#endif

} // namespace

void mapLargeBlocks()
{
#if defined(__GLIBC__)
    // A fixed threshold also turns off the library's raising of it.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

void GrowingBlock::grow(std::size_t bytes)
{
    if (bytes > std::numeric_limits<std::size_t>::max() / 4) throw std::bad_alloc();
    std::size_t wanted = std::max({kFirstRoom, 2 * m_capacity, bytes});
#if OPUSTECA_MAP_BLOCKS
    if (wanted >= kMapFrom) {
        wanted = wholeHugePages(wanted);
        void *to = MAP_FAILED;
        if (m_mapped) {
            to = mremap(m_data, m_capacity, wanted, MREMAP_MAYMOVE);
        } else {
            to = mmap(nullptr, wanted, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (to != MAP_FAILED && m_capacity > 0) std::memcpy(to, m_data, m_capacity);
        }
        if (to == MAP_FAILED) throw std::bad_alloc();
        askHugePages(to, wanted);
        if (!m_mapped) std::free(m_data);
        m_data = static_cast<char *>(to);
        m_capacity = wanted;
        m_mapped = true;
        return;
    }
#endif
    // Not cleared: whoever fills the block writes every byte it reads.
    char *grown = static_cast<char *>(std::realloc(m_data, wanted));
    if (!grown) throw std::bad_alloc();
    m_data = grown;
    m_capacity = wanted;
}

void GrowingBlock::discardFront(std::size_t bytes)
{
#if OPUSTECA_MAP_BLOCKS
    if (!m_mapped) return;
    const std::size_t whole = std::min(bytes, m_capacity) / kHugePage * kHugePage;
    if (whole <= m_discarded) return;
    (void)madvise(m_data + m_discarded, whole - m_discarded, MADV_DONTNEED);
    m_discarded = whole;
#else
    (void)bytes;
#endif
}

void GrowingBlock::release()
{
#if OPUSTECA_MAP_BLOCKS
    if (m_mapped)
        munmap(m_data, m_capacity);
    else
#endif
        std::free(m_data);
    m_data = nullptr;
    m_capacity = 0;
    m_discarded = 0;
    m_mapped = false;
}

} // namespace opusteca::memory
