#include "window/main_window.h"

#include "window/results_box.h"
#include "window/window_declaration.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <map>

namespace vintrale {

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QWidget* createControl(const ControlDeclaration& declared) {
    switch (declared.kind) {
    case ControlKind::transparentLabel:
    case ControlKind::label:
        return new QLabel(text(declared.text));
    case ControlKind::lineEdit:
        return new QLineEdit(text(declared.text));
    case ControlKind::checkBox:
        return new QCheckBox(text(declared.text));
    case ControlKind::groupBox:
        return new QGroupBox(text(declared.text));
    case ControlKind::richTextBox:
        return new ResultsBox(text(declared.text));
    case ControlKind::pushButton:
        return new QPushButton(text(declared.text));
    case ControlKind::timer:
        return nullptr; // the timer is an object of the window, not a widget
    }
    return nullptr;
}

void setWhiteEditColours(QLineEdit* edit) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    edit->setPalette(palette);
}

// The selection is hidden while a box has no focus, as in the rest of the window's edit boxes.
void hideInactiveSelection(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setBrush(QPalette::Inactive, QPalette::Highlight, palette.brush(QPalette::Base));
    palette.setBrush(QPalette::Inactive, QPalette::HighlightedText, Qt::NoBrush);
    widget->setPalette(palette);
}

void applyKindSettings(QWidget* widget, ControlKind kind) {
    switch (kind) {
    case ControlKind::transparentLabel:
    case ControlKind::label: {
        auto* label = static_cast<QLabel*>(widget);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
        // Only the opaque label paints the button face behind its text.
        label->setAutoFillBackground(kind == ControlKind::label);
        break;
    }
    case ControlKind::lineEdit:
        setWhiteEditColours(static_cast<QLineEdit*>(widget));
        hideInactiveSelection(widget);
        break;
    case ControlKind::pushButton: {
        auto* button = static_cast<QPushButton*>(widget);
        button->setAutoDefault(true); // Enter on a focused button clicks it
        button->setCursor(Qt::PointingHandCursor);
        break;
    }
    case ControlKind::richTextBox: {
        // Wraps at the box's width, at a blank where it can, and Tab moves the focus on.
        auto* box = static_cast<ResultsBox*>(widget);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setFont(QFont(QString::fromUtf8("宋体"), 9));
        hideInactiveSelection(widget);
        break;
    }
    case ControlKind::checkBox:
    case ControlKind::groupBox:
    case ControlKind::timer:
        break;
    }
}

// Where the window's outer frame, at its declared size, sits centred on the primary screen.
QPoint centredOnPrimaryScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {screen.x() + (screen.width() - mainWindowOuterSize.width()) / 2,
            screen.y() + (screen.height() - mainWindowOuterSize.height()) / 2};
}

bool isAllowedInCount(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u'-';
}

} // namespace

MainWindow::MainWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(text(mainWindowCaption));
    setWindowIcon(QIcon(QStringLiteral(":/icons/window.ico")));
    setFixedSize(mainWindowOuterSize);

    menuBar_ = new QMenuBar(this);
    trayMenu_ = menuBar_->addMenu(text(trayMenuTitle));
    showWindowItem_ = trayMenu_->addAction(text(showWindowItemText));
    exitItem_ = trayMenu_->addAction(text(exitItemText));

    buildControls();

    move(centredOnPrimaryScreen());
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    std::map<std::string_view, QWidget*> byName;
    for (const ControlDeclaration& declared : mainWindowControls) {
        if (QWidget* widget = createControl(declared)) {
            widget->setObjectName(text(declared.name));
            byName[declared.name] = widget;
        }
    }
    for (const ControlDeclaration& declared : mainWindowControls) {
        const auto found = byName.find(declared.name);
        if (found == byName.end()) {
            continue;
        }
        QWidget* widget = found->second;
        widget->setParent(declared.parent.empty() ? this : byName.at(declared.parent));
        widget->setGeometry(QRect(declared.place, declared.size));
        applyKindSettings(widget, declared.kind);
        if (declared.kind == ControlKind::groupBox || declared.kind == ControlKind::label) {
            dragSurfaces_.append(widget);
        }
    }
    drawTimer_.setObjectName(QStringLiteral("时钟1"));

    startStopButton_ = static_cast<QPushButton*>(byName.at("按钮1"));
    copyButton_ = static_cast<QPushButton*>(byName.at("按钮2"));
    trendButton_ = static_cast<QPushButton*>(byName.at("按钮3"));
    secondsEdit_ = static_cast<QLineEdit*>(byName.at("编辑框1"));
    countEdit_ = static_cast<QLineEdit*>(byName.at("编辑框2"));
    timedModeCheck_ = static_cast<QCheckBox*>(byName.at("选择框1"));
    countLabel_ = static_cast<QLabel*>(byName.at("标签1"));
    secondsCaption_ = static_cast<QLabel*>(byName.at("透明标签1"));
    resultsBox_ = static_cast<ResultsBox*>(byName.at("超级编辑框1"));

    countEdit_->setAlignment(Qt::AlignCenter);
    // The label takes the focus when the window opens, yet stays out of the Tab cycle.
    countLabel_->setFocusPolicy(Qt::ClickFocus);

    dragSurfaces_.append(this);
    for (QWidget* surface : std::as_const(dragSurfaces_)) {
        surface->installEventFilter(this);
    }
    secondsCaption_->installEventFilter(this);
    countEdit_->installEventFilter(this);
}

void MainWindow::load() {
    emit created();
    if (!destroyed_) {
        setShownOnScreen(true);
    }
}

QString MainWindow::caption() const {
    return windowTitle();
}

void MainWindow::setCaption(const QString& caption) {
    setWindowTitle(caption);
}

bool MainWindow::isShownOnScreen() const {
    return isVisible();
}

void MainWindow::setShownOnScreen(bool shown) {
    if (!shown) {
        hide();
        return;
    }
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void MainWindow::setTrayMenuVisible(bool visible) {
    trayMenu_->menuAction()->setVisible(visible);
    menuBar_->setVisible(visible);
}

void MainWindow::setCloseQuery(std::function<bool()> closeQuery) {
    closeQuery_ = std::move(closeQuery);
}

bool MainWindow::requestClose() {
    return close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (destroyed_ || destroyQueued_) {
        event->accept();
        return;
    }
    if (closeQuery_ && !closeQuery_()) {
        event->ignore();
        return;
    }
    event->accept();
    destroyNow();
}

void MainWindow::destroyQueued() {
    destroyQueued_ = true;
    QMetaObject::invokeMethod(this, &MainWindow::destroyNow, Qt::QueuedConnection);
}

void MainWindow::destroyNow() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    emit aboutToBeDestroyed();
    drawTimer_.setPeriod(0);
    hide();
    emit windowDestroyed();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier)) != 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        requestClose();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // No focused button took the key: the first enabled button in creation order answers.
        for (QPushButton* button : {trendButton_, copyButton_, startStopButton_}) {
            if (button->isEnabled()) {
                button->click();
                break;
            }
        }
        return;
    case Qt::Key_F1:
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool MainWindow::focusNextPrevChild(bool next) {
    QWidget* current = focusWidget();
    if (current == countLabel_) {
        if (next) {
            countEdit_->setFocus(Qt::TabFocusReason);
        }
        return true;
    }
    QList<QWidget*> cycle;
    for (std::string_view name : tabCycle) {
        auto* widget = findChild<QWidget*>(text(name));
        if (widget != nullptr && widget->isVisible() && widget->isEnabled()) {
            cycle.append(widget);
        }
    }
    if (cycle.isEmpty()) {
        return false;
    }
    const qsizetype at = cycle.indexOf(current);
    const qsizetype count = cycle.size();
    const qsizetype target = at < 0 ? 0 : (at + (next ? 1 : count - 1)) % count;
    cycle.at(target)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == countEdit_) {
        return filterTypedCount(event);
    }
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == secondsCaption_) {
            return true; // a press on this label is its own; it must not reach the group box
        }
        if (startsWindowMove(watched) && windowHandle() != nullptr) {
            windowHandle()->startSystemMove();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::startsWindowMove(QObject* watched) const {
    return std::any_of(dragSurfaces_.cbegin(), dragSurfaces_.cend(),
                       [watched](const QWidget* surface) { return surface == watched; });
}

// Only what is typed is filtered; pasting goes through, so a count can still be pasted whole.
bool MainWindow::filterTypedCount(QEvent* event) const {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
            return false; // shortcuts such as Ctrl+V, not typed characters
        }
        const QString typed = key->text();
        return !typed.isEmpty() && typed.at(0).isPrint() && !isAllowedInCount(typed.at(0));
    }
    if (event->type() == QEvent::InputMethod) {
        auto* composed = static_cast<QInputMethodEvent*>(event);
        QString kept;
        for (QChar c : composed->commitString()) {
            if (isAllowedInCount(c)) {
                kept.append(c);
            }
        }
        if (kept != composed->commitString()) {
            composed->setCommitString(kept, composed->replacementStart(),
                                      composed->replacementLength());
        }
    }
    return false;
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitOuterSizeToFrame();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    fitOuterSizeToFrame();
}

// The outer size is what is declared, frame included. The frame is known only once the window
// manager has framed the window, so the client shrinks then, once, and the window is centred
// again at its final size.
void MainWindow::fitOuterSizeToFrame() {
    if (windowHandle() == nullptr) {
        return;
    }
    const QMargins frame = windowHandle()->frameMargins();
    // No frame yet (or none at all, without a window manager): the declared size stands as it
    // is. A window shown again from the tray reads no frame until it is framed anew, and must not
    // grow in between.
    if (frame.isNull()) {
        return;
    }
    const QSize client(mainWindowOuterSize.width() - frame.left() - frame.right(),
                       mainWindowOuterSize.height() - frame.top() - frame.bottom());
    if (client == size()) {
        return;
    }
    setFixedSize(client);
    move(centredOnPrimaryScreen());
}

} // namespace vintrale
