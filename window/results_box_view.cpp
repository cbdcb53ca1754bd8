// How the results box shows its text: laid-out lines, painting, scrolling, the blinking
// insertion point.

#include "window/results_box.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextLayout>
#include <algorithm>

namespace vintrale {

namespace {

// Laid-out lines kept between paints; scrolling through a long text must not keep them all.
constexpr std::size_t keptLayouts = 512;

} // namespace

qreal ResultsBox::textWidth() const {
    return std::max(1, viewport()->width() - 2 * margin);
}

QTextLayout& ResultsBox::layoutOf(int line) const {
    const auto found = layouts_.find(line);
    if (found != layouts_.end()) {
        return *found->second;
    }
    const int start = content_.lineStart(line);
    const int end = content_.lineEnd(line);
    auto layout =
        std::make_unique<QTextLayout>(content_.text().mid(start, end - start), font(), viewport());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    if (start == end && start > 0) {
        // An empty line is as high as the break before it, as in a text document.
        const QTextCharFormat& breakFormat = content_.format(content_.formatIndexAt(start - 1));
        layout->setFont(breakFormat.font().resolve(font()));
    }
    const std::vector<ResultsBoxText::Run>& runs = content_.runs();
    auto run = std::upper_bound(runs.begin(), runs.end(), start,
                                [](int at, const ResultsBoxText::Run& r) { return at < r.start; });
    if (run != runs.begin()) {
        --run;
    }
    QList<QTextLayout::FormatRange> ranges;
    for (; run != runs.end() && run->start < end; ++run) {
        const int from = std::max(run->start, start);
        const int to = std::next(run) != runs.end() ? std::min(std::next(run)->start, end) : end;
        if (to > from && run->format != ResultsBoxText::defaultFormat) {
            ranges.append({from - start, to - from, content_.format(run->format)});
        }
    }
    layout->setFormats(ranges);
    layout->beginLayout();
    qreal y = 0;
    for (QTextLine row = layout->createLine(); row.isValid(); row = layout->createLine()) {
        row.setLineWidth(textWidth());
        row.setPosition(QPointF(0, y));
        y += row.height();
    }
    layout->endLayout();
    QTextLayout& made = *layout;
    layouts_.emplace(line, std::move(layout));
    return made;
}

qreal ResultsBox::heightOf(int line) const {
    const QTextLayout& layout = layoutOf(line);
    const QTextLine last = layout.lineAt(layout.lineCount() - 1);
    return last.y() + last.height();
}

qreal ResultsBox::topOffset() const {
    const QTextLayout& layout = layoutOf(topLine_);
    return topRow_ < layout.lineCount() ? layout.lineAt(topRow_).y() : 0.0;
}

int ResultsBox::rowsInView() const {
    const qreal room = viewport()->height() - 2 * margin;
    qreal used = 0;
    int rows = 0;
    for (int line = topLine_; line < content_.lineCount() && used < room; ++line) {
        const QTextLayout& layout = layoutOf(line);
        for (int row = 0; row < layout.lineCount() && used < room; ++row) {
            used += layout.lineAt(row).height();
            ++rows;
        }
    }
    return std::max(rows, 1);
}

// The scroll bar's last value is the first line of the last screenful, found by laying out
// only the lines of that screenful, from the end.
void ResultsBox::updateScrollRange() {
    if (updatingRange_) {
        return;
    }
    updatingRange_ = true;
    for (int pass = 0; pass < 2; ++pass) {
        const int widthBefore = viewport()->width();
        const qreal room = viewport()->height() - 2 * margin;
        qreal used = 0;
        int top = content_.lineCount();
        while (top > 0) {
            const qreal height = heightOf(top - 1);
            if (used + height > room) {
                break;
            }
            used += height;
            --top;
        }
        QScrollBar* bar = verticalScrollBar();
        bar->setPageStep(std::max(1, content_.lineCount() - top));
        bar->setRange(0, std::min(top, content_.lineCount() - 1));
        // Showing or hiding the bar changes the width the lines wrap in: once more, then.
        if (viewport()->width() == widthBefore) {
            break;
        }
        layouts_.clear();
    }
    // The bar follows the view, not the other way round: a replaced content starts at the top.
    QScrollBar* bar = verticalScrollBar();
    settingTop_ = true;
    bar->setValue(topLine_);
    settingTop_ = false;
    if (bar->value() != topLine_) {
        topLine_ = bar->value();
        topRow_ = 0;
        viewport()->update();
    }
    updatingRange_ = false;
}

void ResultsBox::setTop(int line, int row) {
    topLine_ = line;
    topRow_ = row;
    settingTop_ = true;
    verticalScrollBar()->setValue(line);
    settingTop_ = false;
    viewport()->update();
}

void ResultsBox::scrollContentsBy(int, int) {
    if (!settingTop_) {
        topLine_ = std::clamp(verticalScrollBar()->value(), 0, content_.lineCount() - 1);
        topRow_ = 0;
    }
    viewport()->update();
}

void ResultsBox::paintEvent(QPaintEvent* event) {
    if (layouts_.size() > keptLayouts) {
        layouts_.clear();
    }
    QPainter painter(viewport());
    painter.fillRect(event->rect(), viewport()->palette().brush(viewport()->backgroundRole()));
    painter.setPen(palette().color(QPalette::Text));
    const bool focused = hasFocus();
    const int selectionFrom = std::min(cursor_, anchor_);
    const int selectionTo = std::max(cursor_, anchor_);
    QTextCharFormat selected;
    selected.setBackground(palette().brush(QPalette::Highlight));
    selected.setForeground(palette().brush(QPalette::HighlightedText));

    qreal y = margin - topOffset();
    const int bottom = viewport()->height();
    for (int line = topLine_; line < content_.lineCount() && y < bottom; ++line) {
        QTextLayout& layout = layoutOf(line);
        const int start = content_.lineStart(line);
        const int end = content_.lineEnd(line);
        QList<QTextLayout::FormatRange> selections;
        // The selection shows only while the box has the focus.
        if (focused && selectionFrom < selectionTo && selectionFrom <= end && selectionTo > start) {
            const int from = std::max(selectionFrom, start) - start;
            const int to = std::min(selectionTo, end) - start;
            selections.append({from, to - from, selected});
        }
        const QPointF at(margin, y);
        layout.draw(&painter, at, selections, event->rect());
        if (focused && cursorShown_ && !readOnly_ && cursor_ >= start && cursor_ <= end) {
            layout.drawCursor(&painter, at, cursor_ - start, 1);
        }
        y += heightOf(line);
    }
    paintedBottom_ = static_cast<int>(std::min<qreal>(y, bottom)) + 2;
}

void ResultsBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    layouts_.clear();
    if (!settlePending_) {
        updateScrollRange();
    }
    viewport()->update();
}

void ResultsBox::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        layouts_.clear();
        if (!settlePending_) {
            updateScrollRange();
        }
        viewport()->update();
    }
}

QRect ResultsBox::cursorRect() const {
    const int line = content_.lineAt(cursor_);
    if (line < topLine_ || line - topLine_ > rowsInView()) {
        return QRect(0, -1000, 1, 1); // out of view
    }
    qreal y = margin - topOffset();
    for (int above = topLine_; above < line; ++above) {
        y += heightOf(above);
    }
    const QTextLayout& layout = layoutOf(line);
    const int at = cursor_ - content_.lineStart(line);
    QTextLine row = layout.lineForTextPosition(at);
    if (!row.isValid()) {
        row = layout.lineAt(layout.lineCount() - 1);
    }
    return QRect(
        QPoint(margin + static_cast<int>(row.cursorToX(at)), static_cast<int>(y + row.y())),
        QSize(1, static_cast<int>(row.height())));
}

void ResultsBox::ensureCursorVisible() {
    const int line = content_.lineAt(cursor_);
    const QTextLayout& layout = layoutOf(line);
    QTextLine cursorRow = layout.lineForTextPosition(cursor_ - content_.lineStart(line));
    if (!cursorRow.isValid()) {
        cursorRow = layout.lineAt(layout.lineCount() - 1);
    }
    const int row = cursorRow.lineNumber();
    if (line < topLine_ || (line == topLine_ && row < topRow_)) {
        setTop(line, row);
        return;
    }
    const qreal room = viewport()->height() - 2 * margin;
    qreal y = -topOffset();
    for (int above = topLine_; above < line && y <= room; ++above) {
        y += heightOf(above);
    }
    if (y + cursorRow.y() + cursorRow.height() <= room) {
        return;
    }
    // Below the view: the cursor's row becomes the last one in view.
    int topLine = line;
    int topRow = row;
    qreal used = cursorRow.height();
    for (;;) {
        qreal height = 0;
        if (topRow > 0) {
            height = layoutOf(topLine).lineAt(topRow - 1).height();
        } else if (topLine > 0) {
            const QTextLayout& before = layoutOf(topLine - 1);
            height = before.lineAt(before.lineCount() - 1).height();
        } else {
            break;
        }
        if (used + height > room) {
            break;
        }
        used += height;
        if (topRow > 0) {
            --topRow;
        } else {
            --topLine;
            topRow = layoutOf(topLine).lineCount() - 1;
        }
    }
    setTop(topLine, topRow);
}

void ResultsBox::restartBlink() {
    cursorShown_ = true;
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flashTime >= 2) {
        blinkTimer_.start(flashTime / 2, this);
    } else {
        blinkTimer_.stop();
    }
}

void ResultsBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blinkTimer_.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    cursorShown_ = !cursorShown_;
    viewport()->update(cursorRect().adjusted(-1, 0, 1, 0));
}

} // namespace vintrale
