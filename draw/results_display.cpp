#include "draw/results_display.h"

#include "core/text_rules.h"
#include "draw/text_char_format.h"
#include "draw/ticket_draw.h"
#include "window/results_box.h"

#include <QLineEdit>
#include <algorithm>
#include <array>

namespace vintrale {

namespace {

std::int32_t ticketCount(const QLineEdit& countEdit) {
    const QByteArray utf8 = countEdit.text().toUtf8();
    return textToInteger({utf8.constData(), static_cast<std::size_t>(utf8.size())});
}

// Ticket texts are ASCII; widened in place, they go into the box without a string of their own.
template <std::size_t N> class WideText {
public:
    QStringView from(const std::array<char, N>& ascii) {
        for (std::size_t i = 0; i < N; ++i) {
            buffer_[i] = static_cast<unsigned char>(ascii[i]);
        }
        return QStringView(buffer_.data(), static_cast<qsizetype>(N));
    }

private:
    std::array<char16_t, N> buffer_{};
};

} // namespace

ResultsDisplay::ResultsDisplay(ResultsBox& box, const QLineEdit& countEdit,
                               const CharFormats& formats, RandomSource& random)
    : box_(box), countEdit_(countEdit), formats_(formats), random_(random) {}

void ResultsDisplay::refreshResults() {
    writeTickets(box_, std::min(ticketCount(countEdit_), maxTickets), formats_, random_);
}

void writeTickets(ResultsBox& box, std::int32_t count, const CharFormats& formats,
                  RandomSource& random) {
    // One edit: the box lays out and repaints once, after the last ticket, instead of after
    // every piece.
    box.beginEdit();
    // Emptied wholesale, which also drops whatever the player typed or selected: the insertion
    // point now rests at the start, and every piece below lands there and moves it on.
    box.setPlainText(QString());

    // Found once per refresh, so no piece compares formats.
    const int red = box.formatIndex(toTextCharFormat(*formats.redFormat));
    const int blue = box.formatIndex(toTextCharFormat(*formats.blueFormat));

    WideText<RedPart::textLength> redText;
    WideText<BluePart::textLength> blueText;
    for (std::int32_t ticket = 0; ticket < count; ++ticket) {
        const RedPart redPart = drawRedPart(random);
        box.insertPlainText(redText.from(redPart.text), red);
        // Drawn only now, after the red text is in the box, as the draw order requires.
        const BluePart bluePart = drawBlueNumber(random);
        box.insertPlainText(blueText.from(bluePart.text), blue);
    }
    box.endEdit();
}

} // namespace vintrale
