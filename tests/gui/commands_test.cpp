#include "platform/shell_open.h"
#include "tray/commands.h"
#include "tray_test_support.h"
#include "window/results_box.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

namespace vintrale {
namespace {

// Stands in for the browser: keeps every address the desktop was asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

const QString fiveTickets = QStringLiteral("03 07 12 19 25 31 +09\n"
                                           "01 02 05 17 22 33 +16\n"
                                           "04 09 10 11 28 30 +01\n"
                                           "06 08 13 20 24 29 +12\n"
                                           "02 14 15 18 21 32 +05\n");

// Something else on the clipboard, in more than one format.
void putForeignClipboard() {
    auto* data = new QMimeData;
    data->setText(QStringLiteral("earlier text"));
    data->setHtml(QStringLiteral("<b>earlier</b>"));
    QGuiApplication::clipboard()->setMimeData(data);
}

class Commands : public TrayProgram {
protected:
    void SetUp() override {
        TrayProgram::SetUp();
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        TrayProgram::TearDown();
    }
    UrlCatcher browser;
};

struct CopyCase {
    const char* what;
    bool idle;
    QString boxText;
    bool clipboardRefuses;
    Box expected;
    bool expectCopied;
};

TEST_F(Commands, CopyReportsEachOutcomeInItsOrder) {
    const Box stopFirst{QStringLiteral("请先停止算号"), QStringLiteral("警告"),
                        MessageStyle::warning};
    const Box nothingToCopy{QStringLiteral("号码区没有数据，无法复制"), QStringLiteral("提示"),
                            MessageStyle::information};
    const Box copied{QStringLiteral("复制成功！"), QStringLiteral("恭喜！"),
                     MessageStyle::information};
    const Box notCopied{QStringLiteral("复制没有成功！"), QStringLiteral("对不起！"),
                        MessageStyle::information};
    const CopyCase cases[] = {
        {"during a run, empty box", false, QString(), false, stopFirst, false},
        {"during a run, full box", false, fiveTickets, false, stopFirst, false},
        {"idle, empty box", true, QString(), false, nothingToCopy, false},
        {"idle, empty box, clipboard refusing", true, QString(), true, nothingToCopy, false},
        {"idle, tickets", true, fiveTickets, false, copied, true},
        {"idle, only blanks", true, QStringLiteral("  "), false, copied, true},
        {"idle, clipboard refusing", true, fiveTickets, true, notCopied, false},
    };
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.what);
        putForeignClipboard();
        program.runState().isIdle = c.idle;
        setClipboardRefusedForTests(c.clipboardRefuses);
        window().resultsBox()->setPlainText(c.boxText);
        shown.clear();

        window().copyButton()->click();

        EXPECT_EQ(shown, std::vector<Box>{c.expected});
        const QMimeData* now = QGuiApplication::clipboard()->mimeData();
        ASSERT_NE(now, nullptr);
        if (c.expectCopied) {
            EXPECT_EQ(now->text(), c.boxText);
            EXPECT_EQ(now->formats(), QStringList{QStringLiteral("text/plain")});
        } else {
            EXPECT_EQ(now->text(), "earlier text");
            EXPECT_TRUE(now->hasHtml());
        }
        // Copying changes neither the run nor the box.
        EXPECT_EQ(program.runState().isIdle, c.idle);
        EXPECT_EQ(window().resultsBox()->toPlainText(), c.boxText);
    }
}

TEST_F(Commands, TrendOpensTheExactAddressAndReportsNothing) {
    window().trendButton()->click();
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.at(0).toString(QUrl::FullyEncoded),
              QString::fromLatin1(trendPageAddress));
    EXPECT_EQ(browser.opened.at(0).path(), "/ssqZst!ssqjbzs.jhtml");
    EXPECT_EQ(browser.opened.at(0).query(), "flag=jbzs");
    EXPECT_TRUE(shown.empty());

    window().trendButton()->click();
    EXPECT_EQ(browser.opened.size(), 2);
}

TEST_F(Commands, TrendDuringARunLeavesTheRunGoing) {
    program.runState().isIdle = false;
    window().drawTimer().setPeriod(100);
    window().trendButton()->click();
    EXPECT_EQ(browser.opened.size(), 1);
    EXPECT_FALSE(program.runState().isIdle);
    EXPECT_EQ(window().drawTimer().period(), 100);
    EXPECT_TRUE(shown.empty());
    window().drawTimer().setPeriod(0);
}

TEST_F(Commands, EnterInTheCountBoxOpensTheTrendPage) {
    window().countEdit()->setFocus();
    QTest::keyClick(window().countEdit(), Qt::Key_Return);
    EXPECT_EQ(browser.opened.size(), 1);
}

TEST_F(Commands, ShellOpenTakesOnlyOpenAndAddressesValidAsWritten) {
    struct OpenCase {
        const char* operation;
        const char* target;
        bool expectOpened;
    };
    const OpenCase cases[] = {
        {"open", trendPageAddress, true},
        {"print", trendPageAddress, false},
        {"", trendPageAddress, false},
        {"open", "http://bad host/page", false},
        {"open", "http://trend.harnwick.com/a%zzb", false},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + " " + c.target);
        browser.opened.clear();
        const bool taken =
            openWithShell(QString::fromLatin1(c.operation), QString::fromLatin1(c.target),
                          QStringLiteral("explorer "));
        EXPECT_EQ(taken, c.expectOpened);
        EXPECT_EQ(browser.opened.size(), c.expectOpened ? 1 : 0);
    }
}

} // namespace
} // namespace vintrale

#include "commands_test.moc"
