#include "window/results_box_text.h"

#include <algorithm>

namespace vintrale {

namespace {

bool breaksLine(char16_t c) {
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

} // namespace

ResultsBoxText::ResultsBoxText() : lineStarts_{0}, formats_{QTextCharFormat()} {}

int ResultsBoxText::lineEnd(int line) const {
    const auto next = static_cast<std::size_t>(line) + 1;
    return next < lineStarts_.size() ? lineStarts_[next] - 1 : length();
}

int ResultsBoxText::lineAt(int position) const {
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), position);
    return static_cast<int>(after - lineStarts_.begin()) - 1;
}

int ResultsBoxText::formatIndex(const QTextCharFormat& format) {
    const auto found = std::find(formats_.begin(), formats_.end(), format);
    if (found != formats_.end()) {
        return static_cast<int>(found - formats_.begin());
    }
    formats_.push_back(format);
    return static_cast<int>(formats_.size()) - 1;
}

int ResultsBoxText::formatIndexAt(int position) const {
    const auto after = std::upper_bound(runs_.begin(), runs_.end(), position,
                                        [](int at, const Run& run) { return at < run.start; });
    return after == runs_.begin() ? defaultFormat : std::prev(after)->format;
}

void ResultsBoxText::clear() {
    text_.resize(0); // keeps the buffer: the next refresh most likely fills as much again
    runs_.clear();
    lineStarts_.assign(1, 0);
    formats_.resize(1);
}

void ResultsBoxText::trimMemory() {
    // A quarter used or less, and worth the trouble: then the larger buffer goes back.
    constexpr qsizetype worthIt = 1 << 20;
    if (text_.capacity() > worthIt && text_.capacity() > 4 * text_.size()) {
        text_.squeeze();
    }
    if (runs_.capacity() * sizeof(Run) > worthIt && runs_.capacity() > 4 * runs_.size()) {
        runs_.shrink_to_fit();
    }
    if (lineStarts_.capacity() * sizeof(int) > worthIt &&
        lineStarts_.capacity() > 4 * lineStarts_.size()) {
        lineStarts_.shrink_to_fit();
    }
}

void ResultsBoxText::settleWritten(int start) {
    const qsizetype end = text_.size();
    char16_t* data = reinterpret_cast<char16_t*>(text_.data());
    qsizetype written = start;
    for (qsizetype read = start; read < end; ++read) {
        char16_t c = data[read];
        if (breaksLine(c)) {
            if (c == u'\r' && read + 1 < end && data[read + 1] == u'\n') {
                ++read;
            }
            c = u'\n';
        }
        data[written++] = c;
        if (c == u'\n') {
            lineStarts_.push_back(static_cast<int>(written));
        }
    }
    if (written != end) {
        text_.truncate(written);
    }
}

void ResultsBoxText::append(QStringView text, int format) {
    if (text.isEmpty()) {
        return;
    }
    const int start = length();
    if (runs_.empty() || runs_.back().format != format) {
        runs_.push_back({start, format});
    }
    text_.append(text);
    settleWritten(start);
}

void ResultsBoxText::replace(int from, int to, QStringView text, int format) {
    if (from == length() && to == from) {
        append(text, format);
        return;
    }
    // The new text's breaks are settled apart first, so its length in the box is known.
    ResultsBoxText scratch;
    scratch.append(text, 0);
    const int oldLength = length();
    text_.replace(from, to - from, scratch.text_);
    spliceRuns(from, to, scratch.length(), format, oldLength);
    recountLines(from);
}

void ResultsBoxText::setFormat(int from, int to, int format) {
    if (from < to) {
        spliceRuns(from, to, to - from, format, length());
    }
}

// The runs after an edit that replaced [from, to) by newLength characters of one format: the
// runs before stay, the edited range is one run, and what followed keeps its formats.
void ResultsBoxText::spliceRuns(int from, int to, int newLength, int format, int oldLength) {
    const int delta = newLength - (to - from);
    const int formatAfter = to < oldLength ? formatIndexAt(to) : -1;
    std::vector<Run> spliced;
    spliced.reserve(runs_.size() + 2);
    for (const Run& run : runs_) {
        if (run.start < from) {
            spliced.push_back(run);
        }
    }
    if (newLength > 0) {
        spliced.push_back({from, format});
    }
    if (formatAfter >= 0) {
        spliced.push_back({from + newLength, formatAfter});
    }
    for (const Run& run : runs_) {
        if (run.start > to) {
            spliced.push_back({run.start + delta, run.format});
        }
    }
    // Runs that start together keep only the last; neighbours of one format become one.
    runs_.clear();
    const int newTotal = oldLength + delta;
    for (const Run& run : spliced) {
        if (run.start >= newTotal) {
            break;
        }
        if (!runs_.empty() && runs_.back().start == run.start) {
            runs_.pop_back();
        }
        if (runs_.empty() || runs_.back().format != run.format) {
            runs_.push_back(run);
        }
    }
}

void ResultsBoxText::recountLines(int from) {
    const int line = lineAt(std::min(from, length()));
    lineStarts_.resize(static_cast<std::size_t>(line) + 1);
    const char16_t* data = reinterpret_cast<const char16_t*>(text_.constData());
    const int end = length();
    for (int at = lineStarts_.back(); at < end; ++at) {
        if (data[at] == u'\n') {
            lineStarts_.push_back(at + 1);
        }
    }
}

} // namespace vintrale
