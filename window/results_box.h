#pragma once

#include "window/results_box_text.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <memory>
#include <unordered_map>

class QTextLayout;

namespace vintrale {

// The results box 超级编辑框1: a multi-line box of plain characters, each with its own format.
// It offers what the number draw asks of a rich-text box (replace the whole content, apply a
// format to the selection, replace the selection with text) and what a player expects of one:
// typing, Enter for a new line, selecting with mouse and keyboard, Ctrl+A, Ctrl+C, cut and
// paste, word wrap and a vertical scroll bar when the lines do not fit.
//
// It exists because it is refreshed ten times a second with any number of tickets: it keeps the
// text flat and lays out and paints only the lines in view, so a refresh costs little more than
// the draw itself. The scroll bar counts lines, not pixels, so nothing needs to know the height
// of the lines out of view.
class ResultsBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ResultsBox(const QString& text = QString(), QWidget* parent = nullptr);
    ~ResultsBox() override;

    // Replaces the whole content, in the box's own format; the insertion point goes to the
    // start and the view to the top.
    void setPlainText(const QString& text);
    void clear() { setPlainText(QString()); }
    QString toPlainText() const { return content_.text(); }

    // Applies a format to the selection, or, with nothing selected, to the insertion point, so
    // the next text inserted takes it.
    void applyCharFormat(const QTextCharFormat& format);
    // Replaces the selection with text in the insertion point's format; the insertion point
    // rests after it.
    void insertPlainText(QStringView text);

    // The same for many pieces in few formats: the format by its index, found once. Indexes stay
    // valid until the content is replaced.
    int formatIndex(const QTextCharFormat& format) { return content_.formatIndex(format); }
    void insertPlainText(QStringView text, int format);

    // Between these, edits only change the content; the view catches up once at the end.
    void beginEdit() { ++editDepth_; }
    void endEdit();

    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);

    int cursorPosition() const { return cursor_; }
    int anchorPosition() const { return anchor_; }
    bool hasSelection() const { return cursor_ != anchor_; }
    QString selectedText() const;
    // Selects from anchor to position, both clamped to the text; the insertion point is at
    // position.
    void setSelection(int anchor, int position);
    void selectAll() { setSelection(0, content_.length()); }
    void copy() const;

    const ResultsBoxText& content() const { return content_; }
    QTextCharFormat charFormatAt(int position) const {
        return content_.format(content_.formatIndexAt(position));
    }
    // The first line in view: what the scroll bar shows.
    int firstVisibleLine() const { return topLine_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // Space between the frame and the text, as a text document leaves it.
    static constexpr int margin = 4;

    enum class Move { left, right, up, down, lineStart, lineEnd, pageUp, pageDown, start, end };

    // The view: laid-out lines, the scroll position and the insertion point's place.
    QTextLayout& layoutOf(int line) const;
    qreal heightOf(int line) const;
    qreal textWidth() const;
    int rowsInView() const;
    void contentChanged();
    void settleView();
    void updateScrollRange();
    void setTop(int line, int row);
    qreal topOffset() const;
    int formatBefore(int position) const;
    void replaceSelection(QStringView text, int format);
    void ensureCursorVisible();
    QRect cursorRect() const;
    int positionAt(QPoint point) const;
    void restartBlink();
    void updateTextArea();

    // Input.
    bool handleStandardKey(QKeyEvent* event);
    bool handleMoveKey(QKeyEvent* event);
    void typeText(const QString& text);
    void removeSelectionOr(Move move);
    void paste();
    int moved(int position, Move move) const;
    int rowNeighbour(int position, bool down) const;
    void moveCursor(int position, bool keepAnchor);

    ResultsBoxText content_;
    int cursor_ = 0;
    int anchor_ = 0;
    int insertionFormat_ = ResultsBoxText::defaultFormat;
    bool readOnly_ = false;

    int editDepth_ = 0;
    bool settlePending_ = false;
    bool updatingRange_ = false;
    bool settingTop_ = false;
    int topLine_ = 0;
    int topRow_ = 0;        // the first row in view of a wrapped top line
    int paintedBottom_ = 0; // how far down the last paint drew text

    mutable std::unordered_map<int, std::unique_ptr<QTextLayout>> layouts_;
    QBasicTimer blinkTimer_;
    bool cursorShown_ = false;
};

} // namespace vintrale
