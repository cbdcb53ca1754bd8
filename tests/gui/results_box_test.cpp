#include "results_box_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextCharFormat>
#include <vector>

namespace vintrale {
namespace {

using ResultsBoxEditing = ResultsBoxFixture;

QTextCharFormat coloured(Qt::GlobalColor colour) {
    QTextCharFormat format;
    format.setForeground(QColor(colour));
    return format;
}

// The runs as (start, format) pairs, for comparing at a glance.
std::vector<std::pair<int, int>> runsOf(const ResultsBoxText& text) {
    std::vector<std::pair<int, int>> runs;
    for (const ResultsBoxText::Run& run : text.runs()) {
        runs.emplace_back(run.start, run.format);
    }
    return runs;
}

TEST(ResultsBoxText, EveryKindOfLineBreakBecomesOneNewline) {
    struct Case {
        const char16_t* written;
        const char16_t* kept;
        int lines;
    };
    const Case cases[] = {
        {u"a\r\nb", u"a\nb", 2},   {u"a\rb", u"a\nb", 2},       {u"a\nb", u"a\nb", 2},
        {u"a\u2029b", u"a\nb", 2}, {u"a\u2028b", u"a\nb", 2},   {u"a\r\n\r\nb", u"a\n\nb", 3},
        {u"a\r", u"a\n", 2},       {u"\r\n", u"\n", 2},         {u"", u"", 1},
        {u"a\n\rb", u"a\n\nb", 3}, {u"x\r\r\ny", u"x\n\ny", 3}, {u"+08\r\n", u"+08\n", 2},
    };
    for (const Case& c : cases) {
        ResultsBoxText text;
        text.append(QStringView(c.written), ResultsBoxText::defaultFormat);
        const QString written = QString::fromUtf16(c.written);
        EXPECT_EQ(text.text(), QString::fromUtf16(c.kept)) << written.toStdString();
        EXPECT_EQ(text.lineCount(), c.lines) << written.toStdString();
        // The same through an edit in the middle of a text.
        ResultsBoxText edited;
        edited.append(u"<>", ResultsBoxText::defaultFormat);
        edited.replace(1, 1, QStringView(c.written), ResultsBoxText::defaultFormat);
        EXPECT_EQ(edited.text(), u'<' + QString::fromUtf16(c.kept) + u'>') << written.toStdString();
        EXPECT_EQ(edited.lineCount(), c.lines) << written.toStdString();
    }
}

TEST(ResultsBoxText, FindsLinesByPositionAndPositionsByLine) {
    ResultsBoxText text;
    text.append(u"ab\n\ncde\n", ResultsBoxText::defaultFormat);
    ASSERT_EQ(text.lineCount(), 4);
    const int starts[] = {0, 3, 4, 8};
    const int ends[] = {2, 3, 7, 8};
    for (int line = 0; line < 4; ++line) {
        EXPECT_EQ(text.lineStart(line), starts[line]) << line;
        EXPECT_EQ(text.lineEnd(line), ends[line]) << line;
    }
    const int lineOf[] = {0, 0, 0, 1, 2, 2, 2, 2, 3};
    for (int position = 0; position <= text.length(); ++position) {
        EXPECT_EQ(text.lineAt(position), lineOf[position]) << position;
    }
}

// Two formats side by side, "aaaa" in A and "bbbb" in B, then one edit: the formats around the
// edit stay where their characters went.
TEST(ResultsBoxText, EditsKeepTheFormatsAroundThem) {
    struct Case {
        const char* what;
        int from, to;
        const char16_t* inserted; // null: only the format is set
        char format;              // 'A', 'B' or 'C'
        const char16_t* text;
        std::vector<std::pair<int, char>> runs;
    };
    const Case cases[] = {
        {"across the border", 2, 6, u"X", 'C', u"aaXbb", {{0, 'A'}, {2, 'C'}, {3, 'B'}}},
        {"removing the border", 2, 6, u"", 'C', u"aabb", {{0, 'A'}, {2, 'B'}}},
        {"same format merges", 4, 4, u"a", 'A', u"aaaaabbbb", {{0, 'A'}, {5, 'B'}}},
        {"whole first run", 0, 4, u"", 'C', u"bbbb", {{0, 'B'}}},
        {"at the very start", 0, 0, u"c", 'C', u"caaaabbbb", {{0, 'C'}, {1, 'A'}, {5, 'B'}}},
        {"everything", 0, 8, u"z", 'C', u"z", {{0, 'C'}}},
        {"format inside a run",
         1,
         3,
         nullptr,
         'C',
         u"aaaabbbb",
         {{0, 'A'}, {1, 'C'}, {3, 'A'}, {4, 'B'}}},
        {"format over the border", 3, 5, nullptr, 'B', u"aaaabbbb", {{0, 'A'}, {3, 'B'}}},
        {"format of everything", 0, 8, nullptr, 'A', u"aaaabbbb", {{0, 'A'}}},
    };
    for (const Case& c : cases) {
        ResultsBoxText text;
        const int a = text.formatIndex(coloured(Qt::red));
        const int b = text.formatIndex(coloured(Qt::blue));
        const int cFormat = text.formatIndex(coloured(Qt::green));
        EXPECT_EQ(text.formatIndex(coloured(Qt::red)), a) << "a format is found again";
        auto index = [&](char name) {
            return name == 'A' ? a : name == 'B' ? b : cFormat;
        };
        text.append(u"aaaa", a);
        text.append(u"bbbb", b);
        if (c.inserted != nullptr) {
            text.replace(c.from, c.to, QStringView(c.inserted), index(c.format));
        } else {
            text.setFormat(c.from, c.to, index(c.format));
        }
        EXPECT_EQ(text.text(), QString::fromUtf16(c.text)) << c.what;
        std::vector<std::pair<int, int>> expected;
        for (const auto& [start, name] : c.runs) {
            expected.emplace_back(start, index(name));
        }
        EXPECT_EQ(runsOf(text), expected) << c.what;
    }
}

TEST_F(ResultsBoxEditing, KeysEditAndSelectAsInAnyEditBox) {
    struct Case {
        const char* what;
        std::vector<KeyStep> steps;
        const char* text;
        const char* selected;
    };
    const Case cases[] = {
        {"typing and Enter", {typed("ab"), key(Qt::Key_Return), typed("c")}, "ab\nc", ""},
        {"Backspace",
         {typed("abc"), key(Qt::Key_Left), key(Qt::Key_Left), key(Qt::Key_Backspace)},
         "bc",
         ""},
        {"Delete", {typed("abc"), key(Qt::Key_Home), key(Qt::Key_Delete)}, "bc", ""},
        {"Backspace at the start",
         {typed("ab"), key(Qt::Key_Home), key(Qt::Key_Backspace)},
         "ab",
         ""},
        {"Delete at the end", {typed("ab"), key(Qt::Key_Delete)}, "ab", ""},
        {"Backspace joins lines",
         {typed("ab"), key(Qt::Key_Return), typed("c"), key(Qt::Key_Home), key(Qt::Key_Backspace)},
         "abc",
         ""},
        {"Shift selects",
         {typed("abcd"), key(Qt::Key_Left, Qt::ShiftModifier),
          key(Qt::Key_Left, Qt::ShiftModifier)},
         "abcd",
         "cd"},
        {"typing replaces the selection",
         {typed("abcd"), key(Qt::Key_Left, Qt::ShiftModifier), typed("x")},
         "abcx",
         ""},
        {"Up keeps the column",
         {typed("abc"), key(Qt::Key_Return), typed("de"), key(Qt::Key_Up), typed("x")},
         "abxc\nde",
         ""},
        {"Down past the last line goes to the end",
         {typed("ab"), key(Qt::Key_Home), key(Qt::Key_Down), typed("x")},
         "abx",
         ""},
        {"Ctrl+A selects everything",
         {typed("ab"), key(Qt::Key_Return), typed("c"), key(Qt::Key_A, Qt::ControlModifier)},
         "ab\nc",
         "ab\nc"},
        {"Ctrl+A then Backspace empties",
         {typed("abc"), key(Qt::Key_A, Qt::ControlModifier), key(Qt::Key_Backspace)},
         "",
         ""},
        {"Ctrl+Home and Ctrl+End",
         {typed("ab"), key(Qt::Key_Return), typed("cd"), key(Qt::Key_Home, Qt::ControlModifier),
          typed("<"), key(Qt::Key_End, Qt::ControlModifier), typed(">")},
         "<ab\ncd>",
         ""},
        {"Shift+Ctrl+Home selects to the start",
         {typed("ab"), key(Qt::Key_Return), typed("cd"),
          key(Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier)},
         "ab\ncd",
         "ab\ncd"},
        {"a plain Left leaves a selection at its start",
         {typed("abcd"), key(Qt::Key_Left, Qt::ShiftModifier), key(Qt::Key_Left, Qt::ShiftModifier),
          key(Qt::Key_Left), typed("x")},
         "abxcd",
         ""},
        {"Ctrl+Z changes nothing", {typed("ab"), key(Qt::Key_Z, Qt::ControlModifier)}, "ab", ""},
    };
    for (const Case& c : cases) {
        box().clear();
        play(box(), c.steps);
        EXPECT_EQ(box().toPlainText(), QString::fromUtf8(c.text)) << c.what;
        EXPECT_EQ(box().selectedText(), QString::fromUtf8(c.selected)) << c.what;
    }
}

TEST_F(ResultsBoxEditing, CopyCutAndPasteGoThroughTheClipboard) {
    QClipboard& clipboard = *QGuiApplication::clipboard();
    box().setPlainText(QStringLiteral("05 06\r\n07 08"));
    play(box(), {key(Qt::Key_A, Qt::ControlModifier), key(Qt::Key_C, Qt::ControlModifier)});
    EXPECT_EQ(clipboard.text(), QStringLiteral("05 06\n07 08"));
    EXPECT_EQ(box().toPlainText(), QStringLiteral("05 06\n07 08"));

    play(box(), {key(Qt::Key_End, Qt::ControlModifier), key(Qt::Key_Left, Qt::ShiftModifier),
                 key(Qt::Key_Left, Qt::ShiftModifier), key(Qt::Key_X, Qt::ControlModifier)});
    EXPECT_EQ(clipboard.text(), QStringLiteral("08"));
    EXPECT_EQ(box().toPlainText(), QStringLiteral("05 06\n07 "));

    play(box(), {key(Qt::Key_Home, Qt::ControlModifier), key(Qt::Key_V, Qt::ControlModifier)});
    EXPECT_EQ(box().toPlainText(), QStringLiteral("0805 06\n07 "));

    // Nothing selected: copy leaves the clipboard alone.
    clipboard.setText(QStringLiteral("kept"));
    play(box(), {key(Qt::Key_C, Qt::ControlModifier)});
    EXPECT_EQ(clipboard.text(), QStringLiteral("kept"));
}

// Typed text takes the format at the insertion point: the one applied there last, else that of
// the character before it.
TEST_F(ResultsBoxEditing, TypedTextTakesTheInsertionPointsFormat) {
    const QColor red(Qt::red);
    const QColor blue(Qt::blue);
    box().applyCharFormat(coloured(Qt::red));
    box().insertPlainText(u"05 ");
    box().applyCharFormat(coloured(Qt::blue));
    box().insertPlainText(u"+08");
    QTest::keyClicks(&box(), QStringLiteral("9"));
    EXPECT_EQ(box().charFormatAt(3).foreground().color(), blue);
    EXPECT_EQ(box().charFormatAt(6).foreground().color(), blue);

    QTest::keyClick(&box(), Qt::Key_Home);
    QTest::keyClick(&box(), Qt::Key_Right);
    QTest::keyClicks(&box(), QStringLiteral("x"));
    EXPECT_EQ(box().toPlainText(), QStringLiteral("0x5 +089"));
    EXPECT_EQ(box().charFormatAt(1).foreground().color(), red);

    // A format applied to a selection changes those characters only.
    box().setSelection(4, 8);
    box().applyCharFormat(coloured(Qt::red));
    EXPECT_EQ(box().charFormatAt(3).foreground().color(), red);
    EXPECT_EQ(box().charFormatAt(4).foreground().color(), red);
    EXPECT_EQ(box().charFormatAt(7).foreground().color(), red);
    EXPECT_EQ(box().content().runs().size(), 1u);
}

TEST_F(ResultsBoxEditing, ReadOnlyRefusesTypingButStillSelectsAndCopies) {
    box().setPlainText(QStringLiteral("05 06"));
    box().setReadOnly(true);
    play(box(), {typed("x"), key(Qt::Key_Return), key(Qt::Key_Backspace),
                 key(Qt::Key_A, Qt::ControlModifier), key(Qt::Key_X, Qt::ControlModifier),
                 key(Qt::Key_V, Qt::ControlModifier)});
    EXPECT_EQ(box().toPlainText(), QStringLiteral("05 06"));
    EXPECT_EQ(box().selectedText(), QStringLiteral("05 06"));
}

} // namespace
} // namespace vintrale
