#include "bench/refresh_bench.h"

#include "bench/bench_clock.h"
#include "draw/text_char_format.h"
#include "draw/ticket_draw.h"
#include "window/results_box.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <fstream>
#include <string>
#include <vector>

namespace vintrale::bench {

namespace {

CharFormats finalFormats() {
    CharFormats formats;
    formats.redFormat = std::make_unique<CharFormat>(CharFormat{songTypeface, 16, 0, 0, pureRed});
    formats.blueFormat = std::make_unique<CharFormat>(CharFormat{songTypeface, 16, 0, 0, pureBlue});
    return formats;
}

} // namespace

RefreshBench::RefreshBench()
    : formats_(finalFormats()),
      results_(*window_.resultsBox(), *window_.countEdit(), formats_, random_) {
    window_.setShownOnScreen(true);
    window_.resultsBox()->viewport()->installEventFilter(&paintCounter_);
    standardBox_.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    standardBox_.setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    standardBox_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    standardBox_.setFont(window_.resultsBox()->font());
    standardBox_.resize(window_.resultsBox()->size());
    standardBox_.show();
    QCoreApplication::processEvents();
}

int RefreshBench::paintsSeen() const {
    return paintCounter_.paints;
}

void RefreshBench::setCount(std::int32_t count) {
    window_.countEdit()->setText(QString::number(count));
}

void RefreshBench::paintNow() {
    window_.resultsBox()->viewport()->repaint();
}

double RefreshBench::oursMilliseconds(std::int32_t count, int runs) {
    setCount(count);
    results_.refreshResults(); // warm-up: the first refresh at a new size allocates
    QCoreApplication::processEvents();
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        const auto start = Stopwatch::now();
        results_.refreshResults();
        paintNow();
        samples.push_back(millisecondsSince(start));
        QCoreApplication::processEvents();
    }
    return median(samples);
}

void RefreshBench::writePlainWay(std::int32_t count) {
    QPlainTextEdit& box = standardBox_;
    const QTextCharFormat red = toTextCharFormat(*formats_.redFormat);
    const QTextCharFormat blue = toTextCharFormat(*formats_.blueFormat);
    box.setPlainText(QString());
    for (std::int32_t ticket = 0; ticket < count; ++ticket) {
        const RedPart redPart = drawRedPart(random_);
        box.setCurrentCharFormat(red);
        box.insertPlainText(QString::fromLatin1(redPart.text.data(), RedPart::textLength));
        const BluePart bluePart = drawBlueNumber(random_);
        box.setCurrentCharFormat(blue);
        box.insertPlainText(QString::fromLatin1(bluePart.text.data(), BluePart::textLength));
    }
}

double RefreshBench::plainMilliseconds(std::int32_t count, int runs) {
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        const auto start = Stopwatch::now();
        writePlainWay(count);
        standardBox_.viewport()->repaint();
        samples.push_back(millisecondsSince(start));
        QCoreApplication::processEvents();
    }
    return median(samples);
}

void RefreshBench::writeNaiveOurs(std::int32_t count) {
    ResultsBox& box = *window_.resultsBox();
    const QTextCharFormat red = toTextCharFormat(*formats_.redFormat);
    const QTextCharFormat blue = toTextCharFormat(*formats_.blueFormat);
    box.setPlainText(QString());
    for (std::int32_t ticket = 0; ticket < count; ++ticket) {
        const RedPart redPart = drawRedPart(random_);
        box.applyCharFormat(red);
        box.insertPlainText(QString::fromLatin1(redPart.text.data(), RedPart::textLength));
        const BluePart bluePart = drawBlueNumber(random_);
        box.applyCharFormat(blue);
        box.insertPlainText(QString::fromLatin1(bluePart.text.data(), BluePart::textLength));
    }
}

double RefreshBench::naiveOursMilliseconds(std::int32_t count, int runs) {
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        const auto start = Stopwatch::now();
        writeNaiveOurs(count);
        // The box catches up with its edits when the event loop runs; that belongs in the time.
        QCoreApplication::sendPostedEvents(window_.resultsBox());
        paintNow();
        samples.push_back(millisecondsSince(start));
        QCoreApplication::processEvents();
    }
    return median(samples);
}

double RefreshBench::beyondCeilingMilliseconds(std::int32_t count, int runs) {
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        const auto start = Stopwatch::now();
        writeTickets(*window_.resultsBox(), count, formats_, random_);
        paintNow();
        samples.push_back(millisecondsSince(start));
        QCoreApplication::processEvents();
    }
    return median(samples);
}

void RefreshBench::refreshTimes(std::int32_t count, int refreshes) {
    setCount(count);
    for (int run = 0; run < refreshes; ++run) {
        results_.refreshResults();
        paintNow();
        QCoreApplication::processEvents();
    }
}

double residentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0; // the kernel gives kB
        }
    }
    return 0.0;
}

} // namespace vintrale::bench
