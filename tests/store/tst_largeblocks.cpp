#include "store/LargeBlocks.h"

#include <QTest>

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define OPUSTECA_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OPUSTECA_OWN_ALLOCATOR 1
#endif
#endif

using namespace opusteca;

class tst_LargeBlocks : public QObject {
    Q_OBJECT
private slots:
    void largeBlockTakenFromTheSystem();
};

// Kept out of the optimiser's reach, so each block is really taken.
void *volatile g_block = nullptr;

void tst_LargeBlocks::largeBlockTakenFromTheSystem()
{
#if !defined(__GLIBC__) || defined(OPUSTECA_OWN_ALLOCATOR)
    QSKIP("only the GNU C library's own allocator has the setting");
#else
    memory::mapLargeBlocks();
    // Left to itself, the library would now serve blocks below 8 MiB from its
    // heap: freeing a block taken from the system raises its threshold.
    g_block = std::malloc(8 << 20);
    QVERIFY(g_block);
    std::free(g_block);
    const size_t before = mallinfo2().hblkhd;
    g_block = std::malloc(1 << 20);
    QVERIFY(g_block);
    const size_t during = mallinfo2().hblkhd;
    std::free(g_block);
    QVERIFY2(during >= before + (1 << 20), qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(during)));
#endif
}

QTEST_APPLESS_MAIN(tst_LargeBlocks)
#include "tst_largeblocks.moc"
