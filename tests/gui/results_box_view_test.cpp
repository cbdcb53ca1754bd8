#include "results_box_fixture.h"

#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextCharFormat>

namespace vintrale {
namespace {

using ResultsBoxView = ResultsBoxFixture;

QString ticketLines(int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QStringLiteral("05 06 11 13 20 31 +08\n");
    }
    return text;
}

bool shows(const QImage& image, const QColor& colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

// The scroll bar is there only while the lines do not fit, and always reaches the last line.
TEST_F(ResultsBoxView, ScrollBarShowsOnlyWhenTheLinesDoNotFit) {
    struct Case {
        int lines;
        bool scrolls;
    };
    const Case cases[] = {{0, false}, {5, false}, {100, true}, {5, false}, {100'000, true}};
    QScrollBar& bar = *box().verticalScrollBar();
    for (const Case& c : cases) {
        box().setPlainText(ticketLines(c.lines));
        settle();
        EXPECT_EQ(bar.isVisible(), c.scrolls) << c.lines;
        EXPECT_EQ(bar.maximum() > 0, c.scrolls) << c.lines;
        if (c.scrolls) {
            // The last value shows the last line (the empty one after the last break) at the
            // bottom, and more than one line above it.
            EXPECT_LT(bar.maximum(), c.lines) << c.lines;
            EXPECT_GT(bar.maximum(), c.lines - 30) << c.lines;
        }
    }
}

// Moving the insertion point out of view scrolls it back in; replacing the content goes back to
// the top, as a refresh does.
TEST_F(ResultsBoxView, KeepsTheInsertionPointInView) {
    box().setPlainText(ticketLines(200));
    settle();
    QTest::keyClick(&box(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(box().firstVisibleLine(), box().verticalScrollBar()->maximum());
    EXPECT_GT(box().firstVisibleLine(), 150);

    QTest::keyClick(&box(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(box().firstVisibleLine(), 0);

    QTest::keyClick(&box(), Qt::Key_PageDown);
    QTest::keyClick(&box(), Qt::Key_PageDown);
    const int line = box().content().lineAt(box().cursorPosition());
    EXPECT_GT(line, 10);
    EXPECT_LE(box().firstVisibleLine(), line);
    EXPECT_GT(box().firstVisibleLine(), 0);

    box().setPlainText(ticketLines(200));
    settle();
    EXPECT_EQ(box().firstVisibleLine(), 0);
    EXPECT_EQ(box().verticalScrollBar()->value(), 0);
}

// A line longer than the box is wide wraps into rows; Down and End work on the rows.
TEST_F(ResultsBoxView, WrapsLongLinesAtTheBoxWidth) {
    const QString longLine = ticketLines(20).replace(QLatin1Char('\n'), QLatin1Char(' '));
    box().setPlainText(longLine);
    settle();
    ASSERT_EQ(box().content().lineCount(), 1);
    QTest::keyClick(&box(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&box(), Qt::Key_Down);
    const int secondRow = box().cursorPosition();
    EXPECT_GT(secondRow, 5);
    EXPECT_LT(secondRow, 100);

    // End stops at the end of the row, before the blank it wrapped at.
    QTest::keyClick(&box(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&box(), Qt::Key_End);
    const int rowEnd = box().cursorPosition();
    EXPECT_GT(rowEnd, 5);
    EXPECT_LT(rowEnd, longLine.size());
    EXPECT_EQ(longLine.at(rowEnd), QLatin1Char(' '));
}

TEST_F(ResultsBoxView, MouseSelectsByDraggingAndNumbersByDoubleClick) {
    box().setPlainText(QStringLiteral("05 06 11\n13 20 31"));
    settle();
    const QPoint firstCharacter(5, 8);
    QTest::mousePress(&view(), Qt::LeftButton, Qt::NoModifier, firstCharacter);
    QTest::mouseMove(&view(), QPoint(view().width() - 2, view().height() - 2));
    // A move carries no buttons in QTest; send one that does.
    QMouseEvent drag(QEvent::MouseMove, QPointF(view().width() - 2, view().height() - 2),
                     view().mapToGlobal(QPointF(view().width() - 2, view().height() - 2)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view(), &drag);
    QTest::mouseRelease(&view(), Qt::LeftButton, Qt::NoModifier,
                        QPoint(view().width() - 2, view().height() - 2));
    EXPECT_EQ(box().selectedText(), QStringLiteral("05 06 11\n13 20 31"));

    QTest::mouseDClick(&view(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    EXPECT_EQ(box().selectedText(), QStringLiteral("05"));

    // Shift and a click extend the selection from where it was anchored.
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::NoModifier, firstCharacter);
    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ShiftModifier, QPoint(view().width() - 2, 8));
    EXPECT_EQ(box().selectedText(), QStringLiteral("05 06 11"));
}

// Text typed over a selection takes the format before the selection's end, however the
// selection was made.
TEST_F(ResultsBoxView, TypingOverAMouseSelectionTakesTheFormatAsTheKeyboardDoes) {
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    QTextCharFormat blue;
    blue.setForeground(QColor(0, 0, 255));
    const QPoint lineStart(5, 8);
    const QPoint lineEnd(view().width() - 2, 8);
    for (const bool byMouse : {false, true}) {
        box().setPlainText(QString());
        box().applyCharFormat(red);
        box().insertPlainText(u"05 ");
        box().applyCharFormat(blue);
        box().insertPlainText(u"+08");
        settle();
        if (byMouse) {
            QTest::mousePress(&view(), Qt::LeftButton, Qt::NoModifier, lineStart);
            QMouseEvent drag(QEvent::MouseMove, QPointF(lineEnd),
                             view().mapToGlobal(QPointF(lineEnd)), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(&view(), &drag);
            QTest::mouseRelease(&view(), Qt::LeftButton, Qt::NoModifier, lineEnd);
        } else {
            QTest::keyClick(&box(), Qt::Key_Home);
            QTest::keyClick(&box(), Qt::Key_End, Qt::ShiftModifier);
        }
        ASSERT_EQ(box().selectedText(), QStringLiteral("05 +08")) << byMouse;
        QTest::keyClicks(&box(), QStringLiteral("x"));
        EXPECT_EQ(box().toPlainText(), QStringLiteral("x")) << byMouse;
        EXPECT_EQ(box().charFormatAt(0).foreground().color(), QColor(0, 0, 255)) << byMouse;
    }
}

// The selection shows in the highlight colour while the box has the focus, and not at all
// without it; the numbers show in their own colours either way.
TEST_F(ResultsBoxView, SelectionShowsOnlyWithTheFocus) {
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    red.setFontPointSize(16);
    box().applyCharFormat(red);
    box().insertPlainText(u"05 06 11 13 20 31 +08\r\n");
    box().setSelection(0, 5);
    settle();
    const QColor highlight = box().palette().color(QPalette::Active, QPalette::Highlight);

    ASSERT_TRUE(box().hasFocus());
    EXPECT_TRUE(shows(view().grab().toImage(), highlight));

    window.countEdit()->setFocus();
    ASSERT_FALSE(box().hasFocus());
    const QImage unfocused = view().grab().toImage();
    EXPECT_FALSE(shows(unfocused, highlight));
    EXPECT_TRUE(shows(unfocused, QColor(255, 0, 0)));
    EXPECT_EQ(box().selectedText(), QStringLiteral("05 06")); // hidden, not dropped
}

} // namespace
} // namespace vintrale
