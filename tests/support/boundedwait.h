#pragma once

// Waits that fail at their bound. Once its timeout has passed, QTRY_* waits
// twice as long again only to report how long would have been enough: a
// failing 30 s wait takes 90 s, and a few of those outlast the test's own
// time limit, so a broken zone shows as a test killed by ctest instead of a
// failure. These run the event loop until the condition holds or the
// deadline passes, and fail there.

#include <QDeadlineTimer>
#include <QTest>

#define QM_WAIT_VERIFY2(expr, message, ms)                                                                             \
    do {                                                                                                               \
        const QDeadlineTimer qmWaitDeadline(ms);                                                                       \
        while (!(expr) && !qmWaitDeadline.hasExpired())                                                                \
            QTest::qWait(20);                                                                                          \
        QVERIFY2(expr, message);                                                                                       \
    } while (false)

#define QM_WAIT_VERIFY(expr, ms) QM_WAIT_VERIFY2(expr, "not within " #ms " ms", ms)

#define QM_WAIT_COMPARE(actual, expected, ms)                                                                          \
    do {                                                                                                               \
        const QDeadlineTimer qmWaitDeadline(ms);                                                                       \
        while (!((actual) == (expected)) && !qmWaitDeadline.hasExpired())                                              \
            QTest::qWait(20);                                                                                          \
        QCOMPARE(actual, expected);                                                                                    \
    } while (false)
