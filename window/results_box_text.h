#pragma once

#include <QString>
#include <QStringView>
#include <QTextCharFormat>
#include <vector>

namespace vintrale {

// What the results box holds: its characters, one "\n" between lines, and a character format
// for every character, kept as runs of equal formats. Flat arrays only: a refresh of 100,000
// tickets appends 200,000 pieces, and a tree of fragments and blocks per piece would cost more
// than the whole draw.
//
// Lines are the text between breaks; an empty text is one empty line. A line break is a
// character like any other and carries a format: an empty line takes its height from the break
// before it.
class ResultsBoxText {
public:
    // A run lasts from its start to the next run's start, or to the end of the text.
    struct Run {
        int start = 0;
        int format = 0;
    };

    // Format 0 is the box's own: an empty format, so the box's font and palette show.
    static constexpr int defaultFormat = 0;

    ResultsBoxText();

    const QString& text() const { return text_; }
    int length() const { return static_cast<int>(text_.size()); }

    int lineCount() const { return static_cast<int>(lineStarts_.size()); }
    int lineStart(int line) const { return lineStarts_[static_cast<std::size_t>(line)]; }
    // Where the line's break is, or the end of the text for the last line.
    int lineEnd(int line) const;
    int lineAt(int position) const;

    // The index of a format, added when new. Formats are compared whole, so the two of every
    // refresh are found again rather than added anew.
    int formatIndex(const QTextCharFormat& format);
    const QTextCharFormat& format(int index) const {
        return formats_[static_cast<std::size_t>(index)];
    }
    // The format of the character at position; the default one in an empty text.
    int formatIndexAt(int position) const;
    const std::vector<Run>& runs() const { return runs_; }

    // Empties the text and forgets every format but the default one. Keeps the memory of a
    // text of about the same size, so refreshes of the same count reuse it.
    void clear();
    // Line breaks come as "\r\n", "\r", "\n" or a paragraph or line separator; each becomes one
    // "\n".
    void append(QStringView text, int format);
    void replace(int from, int to, QStringView text, int format);
    void setFormat(int from, int to, int format);
    // Gives back memory that a much larger earlier text left behind.
    void trimMemory();

private:
    // Normalises the breaks of what was just written from start on, in place, and records the
    // lines that begin in it.
    void settleWritten(int start);
    void spliceRuns(int from, int to, int newLength, int format, int oldLength);
    void recountLines(int from);

    QString text_;
    std::vector<Run> runs_;
    std::vector<int> lineStarts_;
    std::vector<QTextCharFormat> formats_;
};

} // namespace vintrale
