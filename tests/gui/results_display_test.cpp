#include "draw/text_char_format.h"
#include "draw/ticket_draw.h"
#include "draw_fixture.h"

#include <QRegularExpression>
#include <QTest>
#include <vector>

namespace vintrale {
namespace {

using ResultsDisplayTest = DrawFixture;

// The lines the same clock and offset must give, drawn apart from the box.
QStringList replayedLines(std::uint32_t clockReading, std::uint32_t seedOffset, int count) {
    StandingClock clock{clockReading};
    RandomSource replay(&StandingClock::read, &clock);
    replay.setSeedOffset(seedOffset);
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const RedPart red = drawRedPart(replay);
        const BluePart blue = drawBlueNumber(replay);
        // The box keeps the line break as one "\n".
        lines.append(QString::fromLatin1(red.textView().data(), 18) +
                     QString::fromLatin1(blue.textView().data(), 3));
    }
    return lines;
}

TEST_F(ResultsDisplayTest, WritesAsManyTicketLinesAsTheCountSays) {
    struct Case {
        const char* count;
        int lines;
    };
    const Case cases[] = {
        {"5", 5},  {"1", 1},    {"", 0},    {"abc", 0}, {"0", 0},     {"-3", 0},
        {"５", 5}, {"　7x", 7}, {" 7x", 7}, {"+2", 2},  {"12 3", 12}, {"2", 2},
    };
    const QRegularExpression ticketLine(QStringLiteral("^(\\d\\d ){6}\\+(0[1-9]|1[0-6])$"));
    for (const Case& c : cases) {
        setCount(QString::fromUtf8(c.count));
        const std::uint32_t offsetBefore = random.seedOffset();
        results.refreshResults();

        if (c.lines == 0) {
            EXPECT_EQ(boxText(), QString()) << c.count;
            continue;
        }
        // Every line ends with its break, so the text ends with one and leaves an empty last
        // block where the insertion point rests.
        EXPECT_TRUE(boxText().endsWith(QLatin1Char('\n'))) << c.count;
        QStringList lines = boxLines();
        ASSERT_EQ(lines.size(), c.lines + 1) << c.count;
        EXPECT_EQ(lines.takeLast(), QString()) << c.count;
        EXPECT_EQ(box().content().lineCount(), c.lines + 1) << c.count;
        EXPECT_EQ(lines, replayedLines(clock.now, offsetBefore, c.lines)) << c.count;
        for (const QString& line : lines) {
            EXPECT_TRUE(ticketLine.match(line).hasMatch()) << c.count << ": " << line.toStdString();
        }
    }
}

TEST_F(ResultsDisplayTest, FirstTicketsOfAStandingClockAreTheKnownOnes) {
    setCount(QStringLiteral("3"));
    results.refreshResults();
    EXPECT_EQ(boxText(), QStringLiteral("05 06 11 13 20 31 +08\n"
                                        "09 13 15 16 18 31 +04\n"
                                        "02 09 10 13 16 21 +16\n"));
    EXPECT_EQ(random.seedOffset(), 5300u);
}

// The pieces of one line of the box, each with the format of its characters.
struct Piece {
    QString text;
    QTextCharFormat format;
};
std::vector<Piece> piecesOf(const ResultsBox& box, int line) {
    const ResultsBoxText& content = box.content();
    std::vector<Piece> pieces;
    int pieceStart = content.lineStart(line);
    const int end = content.lineEnd(line);
    for (int at = pieceStart + 1; at <= end; ++at) {
        if (at == end || content.formatIndexAt(at) != content.formatIndexAt(pieceStart)) {
            pieces.push_back(
                {content.text().mid(pieceStart, at - pieceStart), box.charFormatAt(pieceStart)});
            pieceStart = at;
        }
    }
    return pieces;
}

// Each ticket's line holds the red text in the red format, then "+" and the blue number in the
// blue one; the line break after it is blue too.
TEST_F(ResultsDisplayTest, RedNumbersAreRedAndPlusNumberAndBreakAreBlue) {
    setCount(QStringLiteral("4"));
    // A refresh before, so the formats cannot come from the box's start.
    results.refreshResults();
    results.refreshResults();

    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    auto expectSongSixteen = [](const QTextCharFormat& format, const QString& where) {
        EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("宋体")})
            << where.toStdString();
        EXPECT_EQ(format.fontPointSize(), 16.0) << where.toStdString();
        EXPECT_FALSE(format.font().bold()) << where.toStdString();
        EXPECT_FALSE(format.fontItalic()) << where.toStdString();
        EXPECT_FALSE(format.fontUnderline()) << where.toStdString();
        EXPECT_FALSE(format.fontStrikeOut()) << where.toStdString();
    };

    const ResultsBoxText& content = box().content();
    ASSERT_EQ(content.lineCount(), 5);
    for (int line = 0; line < content.lineCount(); ++line) {
        const QString where = QStringLiteral("line %1").arg(line + 1);
        const int start = content.lineStart(line);
        if (line > 0) {
            ASSERT_EQ(content.text().at(start - 1), QLatin1Char('\n'));
            const QTextCharFormat lineBreak = box().charFormatAt(start - 1);
            EXPECT_EQ(lineBreak.foreground().color(), blue) << where.toStdString() << " break";
            expectSongSixteen(lineBreak, where + QStringLiteral(" break"));
        }
        if (line == content.lineCount() - 1) {
            EXPECT_EQ(content.lineEnd(line), start); // after the last break, nothing
            break;
        }
        const std::vector<Piece> pieces = piecesOf(box(), line);
        ASSERT_EQ(pieces.size(), 2u) << where.toStdString();
        EXPECT_EQ(pieces[0].text.size(), 18) << where.toStdString();
        EXPECT_TRUE(pieces[0].text.endsWith(QLatin1Char(' '))) << where.toStdString();
        EXPECT_EQ(pieces[0].format.foreground().color(), red) << where.toStdString();
        expectSongSixteen(pieces[0].format, where);
        EXPECT_TRUE(pieces[1].text.startsWith(QLatin1Char('+'))) << where.toStdString();
        EXPECT_EQ(pieces[1].text.size(), 3) << where.toStdString();
        EXPECT_EQ(pieces[1].format.foreground().color(), blue) << where.toStdString();
        expectSongSixteen(pieces[1].format, where);
    }
}

TEST_F(ResultsDisplayTest, TypedTextAndSelectionAreGoneAfterARefresh) {
    setCount(QStringLiteral("2"));
    results.refreshResults();
    box().setFocus();
    QTest::keyClicks(&box(), QStringLiteral("typed"));
    box().selectAll();
    ASSERT_TRUE(boxText().contains(QStringLiteral("typed")));

    const std::uint32_t offsetBefore = random.seedOffset();
    results.refreshResults();

    QStringList expected = replayedLines(clock.now, offsetBefore, 2);
    expected.append(QString());
    EXPECT_EQ(boxLines(), expected);
    // The insertion point rests after the last line's break, with nothing selected.
    EXPECT_FALSE(box().hasSelection());
    EXPECT_EQ(box().cursorPosition(), box().content().length());
}

TEST_F(ResultsDisplayTest, RefreshesLeaveNothingToUndo) {
    setCount(QStringLiteral("3"));
    for (int i = 0; i < 3; ++i) {
        results.refreshResults();
    }
    // An undo history of refreshes would grow ten times a second for as long as a run lasts.
    box().setFocus();
    QTest::keyClick(&box(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(boxLines().size(), 4);
}

TEST_F(ResultsDisplayTest, ReadsTheCountOncePerRefreshBeforeTheFirstTicket) {
    setCount(QStringLiteral("2"));
    results.refreshResults();
    EXPECT_EQ(boxLines().size(), 3);
    setCount(QStringLiteral("4"));
    EXPECT_EQ(boxLines().size(), 3); // nothing changes until the next refresh
    results.refreshResults();
    EXPECT_EQ(boxLines().size(), 5);
    EXPECT_EQ(clock.reads, 6u * 7u);
}

TEST(TextCharFormat, SetsEveryPropertyOfTheFormat) {
    struct Case {
        const char* what;
        CharFormat format;
        bool bold, italic, underline, strikeout;
        std::optional<QColor> color; // none: the automatic colour
        double baselineOffset;
    };
    const Case cases[] = {
        {"red", {"宋体", 16, 0, 0, 255u}, false, false, false, false, QColor(255, 0, 0), 0.0},
        {"blue", {"宋体", 16, 0, 0, 16711680u}, false, false, false, false, QColor(0, 0, 255), 0.0},
        {"byte order",
         {"宋体", 9, 0, 0, 0x00123456u},
         false,
         false,
         false,
         false,
         QColor(0x56, 0x34, 0x12),
         0.0},
        {"automatic",
         {"宋体", 9, 0, 0, automaticColor},
         false,
         false,
         false,
         false,
         std::nullopt,
         0.0},
        {"bold", {"宋体", 9, 0, 1, 0u}, true, false, false, false, QColor(0, 0, 0), 0.0},
        {"italic", {"宋体", 9, 0, 2, 0u}, false, true, false, false, QColor(0, 0, 0), 0.0},
        {"underline", {"宋体", 9, 0, 4, 0u}, false, false, true, false, QColor(0, 0, 0), 0.0},
        {"strikeout", {"宋体", 9, 0, 8, 0u}, false, false, false, true, QColor(0, 0, 0), 0.0},
        {"protected and higher bits ignored",
         {"宋体", 9, 0, 16 | 64 | 0x100, 0u},
         false,
         false,
         false,
         false,
         QColor(0, 0, 0),
         0.0},
        {"all effects", {"宋体", 9, 0, 31, 0u}, true, true, true, true, QColor(0, 0, 0), 0.0},
        {"raised", {"宋体", 16, 4, 0, 0u}, false, false, false, false, QColor(0, 0, 0), 25.0},
        {"lowered", {"宋体", 16, -8, 0, 0u}, false, false, false, false, QColor(0, 0, 0), -50.0},
    };
    for (const Case& c : cases) {
        const QTextCharFormat applied = toTextCharFormat(c.format);
        EXPECT_EQ(applied.fontFamilies().toStringList(), QStringList{QStringLiteral("宋体")})
            << c.what;
        EXPECT_EQ(applied.fontPointSize(), c.format.size) << c.what;
        EXPECT_EQ(applied.fontWeight(), c.bold ? QFont::Bold : QFont::Normal) << c.what;
        EXPECT_EQ(applied.fontItalic(), c.italic) << c.what;
        EXPECT_EQ(applied.fontUnderline(), c.underline) << c.what;
        EXPECT_EQ(applied.fontStrikeOut(), c.strikeout) << c.what;
        if (c.color) {
            ASSERT_TRUE(applied.hasProperty(QTextFormat::ForegroundBrush)) << c.what;
            EXPECT_EQ(applied.foreground().color(), *c.color) << c.what;
        } else {
            EXPECT_FALSE(applied.hasProperty(QTextFormat::ForegroundBrush)) << c.what;
        }
        EXPECT_DOUBLE_EQ(applied.baselineOffset(), c.baselineOffset) << c.what;
        EXPECT_EQ(applied.verticalAlignment(), c.baselineOffset == 0.0
                                                   ? QTextCharFormat::AlignNormal
                                                   : QTextCharFormat::AlignBaseline)
            << c.what;
    }
}

// An automatic colour written over a coloured one must not keep the old colour.
TEST_F(ResultsDisplayTest, AutomaticColourLeavesNoEarlierColourBehind) {
    formats.redFormat->color = automaticColor;
    setCount(QStringLiteral("1"));
    results.refreshResults();
    EXPECT_FALSE(box().charFormatAt(0).hasProperty(QTextFormat::ForegroundBrush));
}

} // namespace
} // namespace vintrale
