// The results box's answers to the keyboard, the mouse and input methods.

#include "window/results_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>

namespace vintrale {

namespace {

bool isLowSurrogateAt(const QString& text, int position) {
    return position > 0 && position < text.size() && text.at(position).isLowSurrogate() &&
           text.at(position - 1).isHighSurrogate();
}

} // namespace

void ResultsBox::keyPressEvent(QKeyEvent* event) {
    if (handleStandardKey(event) || handleMoveKey(event)) {
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool shortcut =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!shortcut && !text.isEmpty() && text.at(0).isPrint()) {
        typeText(text);
        event->accept();
        return;
    }
    // Esc, F1 and the rest belong to the window.
    event->ignore();
}

bool ResultsBox::handleStandardKey(QKeyEvent* event) {
    if (event == QKeySequence::SelectAll) {
        selectAll();
    } else if (event == QKeySequence::Copy) {
        copy();
    } else if (event == QKeySequence::Cut) {
        if (!readOnly_ && hasSelection()) {
            copy();
            typeText(QString());
        }
    } else if (event == QKeySequence::Paste) {
        paste();
    } else if (event == QKeySequence::Delete) {
        removeSelectionOr(Move::right);
    } else if (event->key() == Qt::Key_Backspace &&
               (event->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier) {
        removeSelectionOr(Move::left);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        typeText(QStringLiteral("\n"));
    } else {
        return false;
    }
    return true;
}

bool ResultsBox::handleMoveKey(QKeyEvent* event) {
    struct KeyMove {
        QKeySequence::StandardKey key;
        Move move;
        bool select;
    };
    static const KeyMove moves[] = {
        {QKeySequence::MoveToPreviousChar, Move::left, false},
        {QKeySequence::MoveToNextChar, Move::right, false},
        {QKeySequence::MoveToPreviousLine, Move::up, false},
        {QKeySequence::MoveToNextLine, Move::down, false},
        {QKeySequence::MoveToStartOfLine, Move::lineStart, false},
        {QKeySequence::MoveToEndOfLine, Move::lineEnd, false},
        {QKeySequence::MoveToPreviousPage, Move::pageUp, false},
        {QKeySequence::MoveToNextPage, Move::pageDown, false},
        {QKeySequence::MoveToStartOfDocument, Move::start, false},
        {QKeySequence::MoveToEndOfDocument, Move::end, false},
        {QKeySequence::SelectPreviousChar, Move::left, true},
        {QKeySequence::SelectNextChar, Move::right, true},
        {QKeySequence::SelectPreviousLine, Move::up, true},
        {QKeySequence::SelectNextLine, Move::down, true},
        {QKeySequence::SelectStartOfLine, Move::lineStart, true},
        {QKeySequence::SelectEndOfLine, Move::lineEnd, true},
        {QKeySequence::SelectPreviousPage, Move::pageUp, true},
        {QKeySequence::SelectNextPage, Move::pageDown, true},
        {QKeySequence::SelectStartOfDocument, Move::start, true},
        {QKeySequence::SelectEndOfDocument, Move::end, true},
    };
    for (const KeyMove& candidate : moves) {
        if (event == candidate.key) {
            // A plain move out of a selection lands at its near edge, as in every edit box.
            if (!candidate.select && hasSelection() &&
                (candidate.move == Move::left || candidate.move == Move::right)) {
                moveCursor(candidate.move == Move::left ? std::min(cursor_, anchor_)
                                                        : std::max(cursor_, anchor_),
                           false);
            } else {
                moveCursor(moved(cursor_, candidate.move), candidate.select);
            }
            return true;
        }
    }
    return false;
}

int ResultsBox::moved(int position, Move move) const {
    const QString& text = content_.text();
    switch (move) {
    case Move::left:
        position = std::max(position - 1, 0);
        return isLowSurrogateAt(text, position) ? position - 1 : position;
    case Move::right:
        position = std::min(position + 1, content_.length());
        return isLowSurrogateAt(text, position) ? position + 1 : position;
    case Move::up:
        return rowNeighbour(position, false);
    case Move::down:
        return rowNeighbour(position, true);
    case Move::lineStart:
    case Move::lineEnd: {
        const int line = content_.lineAt(position);
        const int start = content_.lineStart(line);
        const QTextLayout& layout = layoutOf(line);
        QTextLine row = layout.lineForTextPosition(position - start);
        if (!row.isValid()) {
            return position;
        }
        if (move == Move::lineStart) {
            return start + row.textStart();
        }
        const bool wrapped = row.lineNumber() < layout.lineCount() - 1;
        // The end of a wrapped row is before the blank it wrapped at, not at the next row.
        return start + row.textStart() + row.textLength() - (wrapped ? 1 : 0);
    }
    case Move::pageUp:
    case Move::pageDown: {
        const int rows = std::max(rowsInView() - 1, 1);
        for (int i = 0; i < rows; ++i) {
            position = rowNeighbour(position, move == Move::pageDown);
        }
        return position;
    }
    case Move::start:
        return 0;
    case Move::end:
        return content_.length();
    }
    return position;
}

// The position in the row above or below, at the same distance from the left; past the first
// row the start, past the last the end.
int ResultsBox::rowNeighbour(int position, bool down) const {
    const int line = content_.lineAt(position);
    const int start = content_.lineStart(line);
    const QTextLayout& layout = layoutOf(line);
    QTextLine row = layout.lineForTextPosition(position - start);
    if (!row.isValid()) {
        row = layout.lineAt(layout.lineCount() - 1);
    }
    const qreal x = row.cursorToX(position - start);
    const int wanted = row.lineNumber() + (down ? 1 : -1);
    if (wanted >= 0 && wanted < layout.lineCount()) {
        return start + layout.lineAt(wanted).xToCursor(x);
    }
    const int nextLine = line + (down ? 1 : -1);
    if (nextLine < 0) {
        return 0;
    }
    if (nextLine >= content_.lineCount()) {
        return content_.length();
    }
    const QTextLayout& next = layoutOf(nextLine);
    const QTextLine target = next.lineAt(down ? 0 : next.lineCount() - 1);
    return content_.lineStart(nextLine) + target.xToCursor(x);
}

void ResultsBox::moveCursor(int position, bool keepAnchor) {
    cursor_ = position;
    if (!keepAnchor) {
        anchor_ = position;
    }
    insertionFormat_ = formatBefore(cursor_);
    ensureCursorVisible();
    restartBlink();
    viewport()->update();
}

// What the player types replaces the selection, in the insertion point's format.
void ResultsBox::typeText(const QString& text) {
    if (readOnly_) {
        return;
    }
    replaceSelection(text, insertionFormat_);
    contentChanged();
    if (editDepth_ == 0) {
        settleView();
        ensureCursorVisible();
    }
}

void ResultsBox::removeSelectionOr(Move move) {
    if (readOnly_) {
        return;
    }
    if (!hasSelection()) {
        anchor_ = moved(cursor_, move);
    }
    if (hasSelection()) {
        typeText(QString());
    }
}

void ResultsBox::paste() {
    const QString pasted = QGuiApplication::clipboard()->text();
    if (!pasted.isEmpty()) {
        typeText(pasted);
    }
}

int ResultsBox::positionAt(QPoint point) const {
    qreal y = margin - topOffset();
    int line = topLine_;
    const int last = content_.lineCount() - 1;
    // No further than the bottom of the view, however far below it the mouse is.
    while (line < last && y < viewport()->height()) {
        const qreal height = heightOf(line);
        if (point.y() < y + height) {
            break;
        }
        y += height;
        ++line;
    }
    const QTextLayout& layout = layoutOf(line);
    const qreal inside = point.y() - y;
    int rowNumber = line == topLine_ ? std::min(topRow_, layout.lineCount() - 1) : 0;
    for (int row = rowNumber; row < layout.lineCount(); ++row) {
        rowNumber = row;
        const QTextLine candidate = layout.lineAt(row);
        if (inside < candidate.y() + candidate.height()) {
            break;
        }
    }
    return content_.lineStart(line) + layout.lineAt(rowNumber).xToCursor(point.x() - margin);
}

void ResultsBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    moveCursor(positionAt(event->position().toPoint()),
               (event->modifiers() & Qt::ShiftModifier) != 0);
}

void ResultsBox::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) == 0) {
        return;
    }
    // Dragging past the top or bottom edge scrolls a line at a time.
    const QPoint point = event->position().toPoint();
    QScrollBar* bar = verticalScrollBar();
    if (point.y() < 0 && topLine_ > 0) {
        bar->setValue(topLine_ - 1);
    } else if (point.y() > viewport()->height() && bar->value() < bar->maximum()) {
        bar->setValue(topLine_ + 1);
    }
    const int position = positionAt(point);
    if (position != cursor_) {
        cursor_ = position;
        // As after a selection by keyboard: typing over it takes the format before its end.
        insertionFormat_ = formatBefore(cursor_);
        restartBlink();
        viewport()->update();
    }
}

// A double click selects the word, or the number, under the mouse.
void ResultsBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    const QString& text = content_.text();
    const int at = positionAt(event->position().toPoint());
    int from = at;
    int to = at;
    while (from > 0 && text.at(from - 1).isLetterOrNumber()) {
        --from;
    }
    while (to < text.size() && text.at(to).isLetterOrNumber()) {
        ++to;
    }
    setSelection(from, to);
}

void ResultsBox::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
    viewport()->update();
}

void ResultsBox::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    blinkTimer_.stop();
    viewport()->update();
}

void ResultsBox::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) {
        typeText(event->commitString());
    }
    event->accept();
}

QVariant ResultsBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    const int line = content_.lineAt(cursor_);
    const int start = content_.lineStart(line);
    switch (query) {
    case Qt::ImEnabled:
        return !readOnly_;
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhMultiLine);
    case Qt::ImCursorRectangle:
        return cursorRect().translated(viewport()->pos());
    case Qt::ImCursorPosition:
        return cursor_ - start;
    case Qt::ImAnchorPosition:
        return std::clamp(anchor_ - start, 0, content_.lineEnd(line) - start);
    case Qt::ImSurroundingText:
        return content_.text().mid(start, content_.lineEnd(line) - start);
    case Qt::ImCurrentSelection:
        return selectedText();
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

} // namespace vintrale
