#include "window/results_box.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>

namespace vintrale {

ResultsBox::ResultsBox(const QString& text, QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // The view paints every pixel of its own, background included, so nothing beneath it (the
    // frame's rounded corners, the window's background) is painted again at every refresh.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
    setPlainText(text);
}

ResultsBox::~ResultsBox() = default;

void ResultsBox::setPlainText(const QString& text) {
    content_.clear();
    content_.append(text, ResultsBoxText::defaultFormat);
    cursor_ = 0;
    anchor_ = 0;
    insertionFormat_ = ResultsBoxText::defaultFormat;
    if (topLine_ != 0 || topRow_ != 0) {
        viewport()->update(); // the whole view moves to the top
    }
    topLine_ = 0;
    topRow_ = 0;
    contentChanged();
}

void ResultsBox::applyCharFormat(const QTextCharFormat& format) {
    const int index = content_.formatIndex(format);
    insertionFormat_ = index;
    if (hasSelection()) {
        content_.setFormat(std::min(cursor_, anchor_), std::max(cursor_, anchor_), index);
        contentChanged();
    }
}

void ResultsBox::insertPlainText(QStringView text) {
    insertPlainText(text, insertionFormat_);
}

void ResultsBox::insertPlainText(QStringView text, int format) {
    replaceSelection(text, format);
    contentChanged();
}

void ResultsBox::replaceSelection(QStringView text, int format) {
    if (cursor_ == anchor_ && cursor_ == content_.length()) {
        content_.append(text, format); // the refresh's road: always at the end
        cursor_ = content_.length();
    } else {
        const int from = std::min(cursor_, anchor_);
        const int to = std::max(cursor_, anchor_);
        const int keptAfter = content_.length() - to;
        content_.replace(from, to, text, format);
        cursor_ = content_.length() - keptAfter;
    }
    anchor_ = cursor_;
    insertionFormat_ = text.isEmpty() ? formatBefore(cursor_) : format;
}

void ResultsBox::endEdit() {
    if (--editDepth_ == 0 && settlePending_) {
        settleView();
    }
}

void ResultsBox::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
    viewport()->update();
}

QString ResultsBox::selectedText() const {
    const int from = std::min(cursor_, anchor_);
    return content_.text().mid(from, std::max(cursor_, anchor_) - from);
}

void ResultsBox::setSelection(int anchor, int position) {
    anchor_ = std::clamp(anchor, 0, content_.length());
    cursor_ = std::clamp(position, 0, content_.length());
    insertionFormat_ = formatBefore(cursor_);
    if (!settlePending_) {
        ensureCursorVisible();
    }
    restartBlink();
    viewport()->update();
}

void ResultsBox::copy() const {
    if (hasSelection()) {
        QGuiApplication::clipboard()->setText(selectedText());
    }
}

int ResultsBox::formatBefore(int position) const {
    return content_.formatIndexAt(position > 0 ? position - 1 : 0);
}

// Every edit lands here. Inside an edit block only the content changes; otherwise the view
// catches up once the event loop runs, so many small edits still cost one settling.
void ResultsBox::contentChanged() {
    if (!layouts_.empty()) {
        layouts_.clear();
    }
    if (topLine_ >= content_.lineCount()) {
        topLine_ = content_.lineCount() - 1;
        topRow_ = 0;
    }
    const bool alreadyPending = settlePending_;
    settlePending_ = true;
    if (editDepth_ > 0 || alreadyPending) {
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (settlePending_ && editDepth_ == 0) {
                settleView();
            }
        },
        Qt::QueuedConnection);
}

void ResultsBox::settleView() {
    settlePending_ = false;
    content_.trimMemory();
    layouts_.clear();
    updateScrollRange();
    restartBlink();
    updateTextArea();
}

// Only as far down as text was or now is: with a few tickets in a tall box, most of the box
// stays as it is, and a run repaints and sends the display less ten times a second.
void ResultsBox::updateTextArea() {
    const int height = viewport()->height();
    qreal bottom = margin - topOffset();
    for (int line = topLine_; line < content_.lineCount() && bottom < height; ++line) {
        bottom += heightOf(line);
    }
    const int dirty = std::min(height, std::max(paintedBottom_, static_cast<int>(bottom) + 2));
    viewport()->update(0, 0, viewport()->width(), dirty);
}

} // namespace vintrale
