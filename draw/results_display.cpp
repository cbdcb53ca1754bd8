#include "draw/results_display.h"

#include "core/text_rules.h"
#include "draw/text_char_format.h"
#include "draw/ticket_draw.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <array>

namespace vintrale {

namespace {

std::int32_t ticketCount(const QLineEdit& countEdit) {
    const QByteArray utf8 = countEdit.text().toUtf8();
    return textToInteger({utf8.constData(), static_cast<std::size_t>(utf8.size())});
}

// Ticket texts are ASCII; widening them in place and handing the buffer over without a copy
// keeps the loop free of allocations of its own.
template <std::size_t N> class WideText {
public:
    const QString& from(const std::array<char, N>& ascii) {
        for (std::size_t i = 0; i < N; ++i) {
            buffer_[i] = static_cast<unsigned char>(ascii[i]);
        }
        return view_;
    }

private:
    std::array<char16_t, N> buffer_{};
    const QString view_ = QString::fromRawData(reinterpret_cast<const QChar*>(buffer_.data()),
                                               static_cast<qsizetype>(N));
};

} // namespace

ResultsDisplay::ResultsDisplay(QPlainTextEdit& box, const QLineEdit& countEdit,
                               const CharFormats& formats, RandomSource& random)
    : box_(box), countEdit_(countEdit), formats_(formats), random_(random) {}

void ResultsDisplay::refreshResults() {
    QTextDocument& document = *box_.document();
    // Refreshes replace each other ten times a second; keeping them for undo would only grow.
    document.setUndoRedoEnabled(false);
    // Emptied wholesale, which also drops whatever the player typed or selected: every cursor,
    // the box's own included, now rests at the start.
    document.clear();

    const std::int32_t count = ticketCount(countEdit_);
    // Made once per refresh, so the box finds each format by its cached hash instead of
    // hashing a new one for every fragment.
    const QTextCharFormat red = toTextCharFormat(*formats_.redFormat);
    const QTextCharFormat blue = toTextCharFormat(*formats_.blueFormat);

    WideText<RedPart::textLength> redText;
    WideText<BluePart::textLength> blueText;
    // One edit block: the box lays out and repaints once, after the last ticket, instead of
    // after every fragment.
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (std::int32_t ticket = 0; ticket < count; ++ticket) {
        const RedPart redPart = drawRedPart(random_);
        cursor.insertText(redText.from(redPart.text), red);
        // Drawn only now, after the red text is in the box, as the draw order requires.
        const BluePart bluePart = drawBlueNumber(random_);
        cursor.insertText(blueText.from(bluePart.text), blue);
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(true);
}

} // namespace vintrale
