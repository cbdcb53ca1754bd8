#include "resources/carried_files.h"
#include "tray/tray_icon.h"

#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QImage>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QWidget>
#include <gtest/gtest.h>

namespace vintrale {
namespace {

QList<int> deliveredTypes(QSignalSpy& spy) {
    QList<int> types;
    for (const QList<QVariant>& arguments : std::as_const(spy)) {
        types.append(arguments.at(0).toInt());
    }
    return types;
}

TEST(CarriedIcons, LoadFromTheProgramItself) {
    for (const char* path : {windowIconResource, trayIconResource}) {
        SCOPED_TRACE(path);
        const QByteArray data = carriedFile(QString::fromLatin1(path));
        EXPECT_EQ(data.size(), 4286);
        QImage image;
        ASSERT_TRUE(image.loadFromData(data, "ICO"));
        EXPECT_EQ(image.size(), QSize(32, 32));
        EXPECT_TRUE(image.hasAlphaChannel());
    }
    EXPECT_EQ(trayIconData(), carriedFile(QString::fromLatin1(trayIconResource)));
    EXPECT_TRUE(carriedFile(QStringLiteral(":/icons/none.ico")).isEmpty());
}

class TrayIconTest : public ::testing::Test {
protected:
    QWidget window;
    TrayIcon tray{window};
};

TEST_F(TrayIconTest, StartsWithoutIconAndRemovingNothingDoesNothing) {
    EXPECT_FALSE(tray.isShown());
    tray.removeTrayIcon();
    EXPECT_FALSE(tray.isShown());
    EXPECT_EQ(tray.systemTrayIcon(), nullptr);
    EXPECT_TRUE(tray.tip().isEmpty());
}

TEST_F(TrayIconTest, ShowsChangesInPlaceAndDrops) {
    tray.setTrayIcon(trayIconData(), QStringLiteral("Vintrale"));
    ASSERT_TRUE(tray.isShown());
    QSystemTrayIcon* first = tray.systemTrayIcon();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(tray.tip(), "Vintrale");
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->icon().availableSizes().contains(QSize(32, 32)));
    EXPECT_EQ(first->contextMenu(), nullptr); // the window pops its own menu
    const qint64 firstIcon = first->icon().cacheKey();

    // The same picture again is a new icon in the same entry.
    tray.setTrayIcon(trayIconData(), QStringLiteral("Vintrale-[00：00：07]"));
    EXPECT_EQ(tray.systemTrayIcon(), first);
    EXPECT_EQ(tray.tip(), "Vintrale-[00：00：07]");
    EXPECT_NE(first->icon().cacheKey(), firstIcon);

    tray.removeTrayIcon();
    EXPECT_FALSE(tray.isShown());
    EXPECT_EQ(tray.systemTrayIcon(), nullptr);
}

TEST_F(TrayIconTest, DataThatIsNoIconFileMeansNoIcon) {
    QImage png(32, 32, QImage::Format_ARGB32);
    png.fill(Qt::red);
    QByteArray pngData;
    {
        QBuffer buffer(&pngData);
        buffer.open(QIODevice::WriteOnly);
        png.save(&buffer, "PNG");
    }
    QByteArray cutShort = trayIconData();
    cutShort.truncate(30);
    const QByteArray notIcons[] = {QByteArray(), QByteArray("not an icon"), pngData, cutShort};
    for (const QByteArray& data : notIcons) {
        tray.setTrayIcon(data, QStringLiteral("tip"));
        EXPECT_FALSE(tray.isShown()) << data.size() << " bytes";

        tray.setTrayIcon(trayIconData(), QStringLiteral("Vintrale"));
        ASSERT_TRUE(tray.isShown());
        tray.setTrayIcon(data, QStringLiteral("tip"));
        EXPECT_FALSE(tray.isShown()) << data.size() << " bytes, replacing a shown icon";
    }
}

TEST_F(TrayIconTest, TipKeepsAtMost62BytesOfWholeCharacters) {
    struct TipCase {
        QString text;
        QString expected;
    };
    const TipCase cases[] = {
        {QString(), QString()},
        {QString(70, u'a'), QString(62, u'a')},
        {QString(25, u'号'), QString(20, u'号')}, // 60 of 75 bytes
        {QStringLiteral("a") + QString(21, u'号'), QStringLiteral("a") + QString(20, u'号')},
    };
    for (const TipCase& c : cases) {
        tray.setTrayIcon(trayIconData(), c.text);
        EXPECT_EQ(tray.tip(), c.expected) << c.text.toStdString();
    }
}

TEST_F(TrayIconTest, ActivationsBecomeTrayEventsFromTheEventLoop) {
    struct ActivationCase {
        QSystemTrayIcon::ActivationReason reason;
        QList<int> expected;
    };
    const ActivationCase cases[] = {
        {QSystemTrayIcon::Trigger, {1}}, {QSystemTrayIcon::DoubleClick, {2}},
        {QSystemTrayIcon::Context, {3}}, {QSystemTrayIcon::MiddleClick, {}},
        {QSystemTrayIcon::Unknown, {}},
    };
    std::int64_t now = 0;
    tray.setClockForTests([&now] { return now; });
    tray.setTrayIcon(trayIconData(), QStringLiteral("Vintrale"));
    for (const ActivationCase& c : cases) {
        now += 10'000; // far apart: no two of them pair up
        QSignalSpy spy(&tray, &TrayIcon::trayEvent);
        emit tray.systemTrayIcon()->activated(c.reason);
        EXPECT_EQ(spy.count(), 0) << "not from inside the notification area's handling";
        QCoreApplication::processEvents();
        EXPECT_EQ(deliveredTypes(spy), c.expected) << c.reason;
    }
}

TEST_F(TrayIconTest, TwoQuickTriggersAlsoMakeADoubleClick) {
    std::int64_t now = 5'000;
    tray.setClockForTests([&now] { return now; });
    tray.setTrayIcon(trayIconData(), QStringLiteral("Vintrale"));
    QSignalSpy spy(&tray, &TrayIcon::trayEvent);
    emit tray.systemTrayIcon()->activated(QSystemTrayIcon::Trigger);
    now += QApplication::doubleClickInterval() / 2;
    emit tray.systemTrayIcon()->activated(QSystemTrayIcon::Trigger);
    QCoreApplication::processEvents();
    EXPECT_EQ(deliveredTypes(spy), QList<int>({1, 1, 2}));
}

TEST_F(TrayIconTest, AHandlerMayDropTheIconThatWasClicked) {
    tray.setTrayIcon(trayIconData(), QStringLiteral("Vintrale"));
    QObject::connect(&tray, &TrayIcon::trayEvent, &tray, [this](int) { tray.removeTrayIcon(); });
    emit tray.systemTrayIcon()->activated(QSystemTrayIcon::DoubleClick);
    QCoreApplication::processEvents();
    EXPECT_FALSE(tray.isShown());
}

} // namespace
} // namespace vintrale
