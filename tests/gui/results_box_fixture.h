#pragma once

#include "window/main_window.h"
#include "window/results_box.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace vintrale {

// The results box as the window sets it up (size, font, scroll bars), shown and focused.
class ResultsBoxFixture : public ::testing::Test {
protected:
    ResultsBoxFixture() {
        window.setShownOnScreen(true);
        QApplication::setActiveWindow(&window);
        box().setFocus();
    }

    ResultsBox& box() { return *window.resultsBox(); }
    QWidget& view() { return *box().viewport(); }
    // Lets the box catch up with edits made outside an edit block, and the scroll area show or
    // hide its bar, as the event loop would.
    void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    MainWindow window;
};

// One step of a key script: a text typed, or a key pressed with modifiers.
struct KeyStep {
    const char* typed = nullptr;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

inline KeyStep typed(const char* text) {
    return {text, Qt::Key_unknown, Qt::NoModifier};
}
inline KeyStep key(Qt::Key pressed, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return {nullptr, pressed, modifiers};
}

inline void play(QWidget& widget, const std::vector<KeyStep>& steps) {
    for (const KeyStep& step : steps) {
        if (step.typed != nullptr) {
            QTest::keyClicks(&widget, QString::fromUtf8(step.typed));
        } else {
            QTest::keyClick(&widget, step.key, step.modifiers);
        }
    }
}

} // namespace vintrale
