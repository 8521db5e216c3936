#include "net/qt/single_instance.h"
#include "qt_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace quintrel::net {
namespace {

QString uniqueKey(const char* name) {
    return QStringLiteral("test-%1-%2").arg(QLatin1String(name)).arg(QCoreApplication::applicationPid());
}

TEST(SingleInstance, SecondClaimFailsAndAsksTheFirstToComeForward) {
    SingleInstance first(uniqueKey("second"));
    ASSERT_TRUE(first.claim());
    int raises = 0;
    QObject::connect(&first, &SingleInstance::raiseRequested, [&] { ++raises; });

    SingleInstance second(uniqueKey("second"));
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(quintrel::kit::waitUntil([&] { return raises == 1; }));
}

TEST(SingleInstance, NamesAreFreeAgainOnceTheFirstEnds) {
    {
        SingleInstance first(uniqueKey("again"));
        ASSERT_TRUE(first.claim());
    }
    SingleInstance next(uniqueKey("again"));
    EXPECT_TRUE(next.claim());
}

TEST(SingleInstance, StaleSocketNameOfADeadCopyDoesNotBlockTheNext) {
    // A copy that died leaves its socket file but no live lock owner.
    SingleInstance probe(uniqueKey("stale"));
    QFile leftover(QDir::temp().filePath(probe.serverName()));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    SingleInstance fresh(uniqueKey("stale"));
    ASSERT_TRUE(fresh.claim());
    int raises = 0;
    QObject::connect(&fresh, &SingleInstance::raiseRequested, [&] { ++raises; });
    SingleInstance later(uniqueKey("stale"));
    EXPECT_FALSE(later.claim());
    EXPECT_TRUE(quintrel::kit::waitUntil([&] { return raises == 1; }));
}

TEST(SingleInstance, KeysAreReducedToSafeCharacters) {
    SingleInstance odd(QStringLiteral("a/b c..d"));
    EXPECT_EQ(odd.serverName(), QStringLiteral("quintrel-abcd"));
    EXPECT_TRUE(odd.lockPath().endsWith(QStringLiteral("ronlep11-abcd.lock")));
}

}  // namespace
}  // namespace quintrel::net
