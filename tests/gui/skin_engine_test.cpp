#include "app/skin.h"
#include "window/main_window.h"
#include "window/results_box.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTextCharFormat>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vintrale {
namespace {

// The engine as built, loaded straight from the build tree. Each test starts and ends without a
// style sheet on the application.
class SkinEngine : public ::testing::Test {
protected:
    void SetUp() override {
        qApp->setStyleSheet(QString());
        handle = ::dlopen(VINTRALE_SKIN_ENGINE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << ::dlerror();
        attachRes = reinterpret_cast<SkinLibrary::AttachRes>(::dlsym(handle, attachResName));
        ASSERT_NE(attachRes, nullptr);
        previousHandler = qInstallMessageHandler(&SkinEngine::collectWarning);
        warnings().clear();
    }
    void TearDown() override {
        qInstallMessageHandler(previousHandler);
        qApp->setStyleSheet(QString());
        if (handle != nullptr) {
            ::dlclose(handle);
        }
    }

    static std::vector<QString>& warnings() {
        static std::vector<QString> collected;
        return collected;
    }
    static void collectWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
        // Only what the style sheet machinery says; the offscreen platform has its own chatter.
        if (type != QtDebugMsg && type != QtInfoMsg &&
            (text.contains(QStringLiteral("stylesheet"), Qt::CaseInsensitive) ||
             text.contains(QStringLiteral("Unknown property")))) {
            warnings().push_back(text);
        }
    }

    int attach(const QByteArray& data, const char* password = "") const {
        return attachRes(reinterpret_cast<const unsigned char*>(data.constData()),
                         static_cast<int>(data.size()), password, 1, 1, 1);
    }

    static QString sheetOf(const QByteArray& data) { return QString::fromUtf8(data.mid(5)); }

    void* handle = nullptr;
    SkinLibrary::AttachRes attachRes = nullptr;
    QtMessageHandler previousHandler = nullptr;
};

TEST_F(SkinEngine, ExportsOnlyItsEntryPoint) {
    EXPECT_EQ(::dlsym(handle, "_ZN8vintrale12readSkinDataEPKhiPKc"), nullptr);
}

TEST_F(SkinEngine, LaysTheCarriedSkinOverTheApplication) {
    const QByteArray data = skinData();
    ASSERT_GT(data.size(), 5);
    EXPECT_EQ(attach(data), 0);
    EXPECT_EQ(qApp->styleSheet(), sheetOf(data));

    // Qt parses the sheet only when it styles a widget: a whole window, drawn, says nothing.
    MainWindow window;
    window.show();
    window.grab();
    EXPECT_TRUE(warnings().empty()) << warnings().front().toStdString();
}

TEST_F(SkinEngine, LeavesTheApplicationAloneOnDataThatIsNoSkin) {
    const QByteArray good = skinData();
    qApp->setStyleSheet(QStringLiteral("QLabel { margin: 1px; }"));
    struct Case {
        const char* description;
        QByteArray data;
        const char* password;
    };
    const Case cases[] = {
        {"empty", QByteArray(), ""},
        {"header cut short", good.left(4), ""},
        {"plain style sheet", good.mid(5), ""},
        {"damaged text", good.left(5) + QByteArray("\xC7\xF2 {}"), ""},
        {"with a password", good, "secret"},
    };
    for (const Case& c : cases) {
        EXPECT_NE(attach(c.data, c.password), 0) << c.description;
        EXPECT_EQ(qApp->styleSheet(), "QLabel { margin: 1px; }") << c.description;
    }
    EXPECT_NE(attachRes(nullptr, 100, "", 1, 1, 1), 0);
}

// Where a colour of the skinned window is sampled: inside the widget, clear of its text.
QColor sampled(QWidget* widget, QPoint at) {
    return widget->grab().toImage().pixelColor(at);
}

bool near(const QColor& colour, const QColor& expected) {
    return std::abs(colour.red() - expected.red()) <= 8 &&
           std::abs(colour.green() - expected.green()) <= 8 &&
           std::abs(colour.blue() - expected.blue()) <= 8;
}

TEST_F(SkinEngine, GivesTheButtonsTheirAccent) {
    MainWindow window;
    window.show();
    const QColor before = sampled(window.startStopButton(), {12, 4});
    ASSERT_EQ(attach(skinData()), 0);
    const QColor after = sampled(window.startStopButton(), {12, 4});
    EXPECT_TRUE(near(after, QColor(0x25, 0x63, 0xeb))) << after.name().toStdString();
    EXPECT_NE(after, before);
}

bool shows(const QImage& image, bool (*wanted)(QColor)) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (wanted(image.pixelColor(x, y))) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(SkinEngine, KeepsEveryNumberInItsOwnColour) {
    ASSERT_EQ(attach(skinData()), 0);
    MainWindow window;
    window.show();
    ResultsBox* box = window.resultsBox();
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    red.setFontPointSize(16);
    QTextCharFormat blue = red;
    blue.setForeground(QColor(0, 0, 255));
    box->applyCharFormat(red);
    box->insertPlainText(QStringLiteral("03 07 12 19 25 31 "));
    box->applyCharFormat(blue);
    box->insertPlainText(QStringLiteral("+09\n"));

    const QImage image = box->grab().toImage();
    EXPECT_TRUE(shows(image, [](QColor c) {
        return c.red() > 200 && c.green() < 60 && c.blue() < 60;
    })) << "no red left in the box";
    EXPECT_TRUE(shows(image, [](QColor c) {
        return c.blue() > 200 && c.red() < 60 && c.green() < 60;
    })) << "no blue left in the box";
}

} // namespace
} // namespace vintrale
