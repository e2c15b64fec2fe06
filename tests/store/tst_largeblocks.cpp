#include "store/LargeBlocks.h"

#include <QTest>

#include <algorithm>

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
    void growingBlockKeepsItsBytes_data();
    void growingBlockKeepsItsBytes();
    void growingBlockMoved();
    void discardedFrontLeavesTheRest();
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

void tst_LargeBlocks::growingBlockKeepsItsBytes_data()
{
    // Sizes on both sides of where a block leaves the C library for the
    // system, and of its huge pages.
    QTest::addColumn<QList<qsizetype>>("sizes");
    const qsizetype mib = 1024 * 1024;
    QTest::newRow("small") << QList<qsizetype>{1, 100, 70 * 1024};
    QTest::newRow("into the system's") << QList<qsizetype>{1000, 2 * mib - 1, 2 * mib + 1, 9 * mib};
    QTest::newRow("large at once") << QList<qsizetype>{33 * mib + 5, 70 * mib};
    QTest::newRow("asked again for less") << QList<qsizetype>{3 * mib, 1, 3 * mib};
}

void tst_LargeBlocks::growingBlockKeepsItsBytes()
{
    QFETCH(QList<qsizetype>, sizes);
    const auto byteAt = [](qsizetype i) { return char(i * 7 + i / 4093); };
    memory::GrowingBlock block;
    qsizetype filled = 0;
    for (qsizetype size : sizes) {
        block.reserve(size_t(size));
        QVERIFY(block.capacity() >= size_t(size));
        for (qsizetype i = 0; i < filled; ++i)
            if (block.data()[i] != byteAt(i)) QFAIL(qPrintable(QStringLiteral("byte %1 lost at %2").arg(i).arg(size)));
        for (qsizetype i = filled; i < size; ++i) block.data()[i] = byteAt(i);
        filled = std::max(filled, size);
    }
    block.release();
    QCOMPARE(block.capacity(), size_t(0));
    QVERIFY(!block.data());
}

void tst_LargeBlocks::growingBlockMoved()
{
    memory::GrowingBlock a;
    a.reserve(3 * 1024 * 1024);
    a.data()[0] = 'x';
    memory::GrowingBlock b(std::move(a));
    QVERIFY(!a.data());
    QCOMPARE(a.capacity(), size_t(0));
    QCOMPARE(b.data()[0], 'x');
    memory::GrowingBlock c;
    c.reserve(10);
    c = std::move(b);
    QCOMPARE(c.data()[0], 'x');
    a.reserve(5); // a moved-from block is usable
    a.data()[4] = 'y';
    QCOMPARE(a.data()[4], 'y');
}

void tst_LargeBlocks::discardedFrontLeavesTheRest()
{
    // A block read from its start gives back what it has read: whatever goes,
    // the bytes not yet read stay, also once the block grows again.
    const size_t mib = 1024 * 1024;
    const auto byteAt = [](size_t i) { return char(i * 13 + i / 4099); };
    memory::GrowingBlock block;
    block.reserve(9 * mib);
    for (size_t i = 0; i < 9 * mib; ++i) block.data()[i] = byteAt(i);
    for (size_t read : {size_t(1000), 2 * mib, 3 * mib + 5, 3 * mib, 7 * mib + 1}) {
        block.discardFront(read);
        for (size_t i = read; i < 9 * mib; i += 997)
            if (block.data()[i] != byteAt(i)) QFAIL(qPrintable(QStringLiteral("byte %1 lost").arg(i)));
    }
    block.reserve(40 * mib);
    for (size_t i = 7 * mib + 1; i < 9 * mib; ++i)
        if (block.data()[i] != byteAt(i)) QFAIL(qPrintable(QStringLiteral("byte %1 lost in growing").arg(i)));
}

QTEST_APPLESS_MAIN(tst_LargeBlocks)
#include "tst_largeblocks.moc"
