#pragma once

#include "window/period_timer.h"

#include <QWidget>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace vintrale {

class ResultsBox;

// The program's one window, built from its declaration. Handlers elsewhere reach it only through
// the properties below; the window itself provides Enter, Esc, Tab, F1 and background dragging.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // Raises created() while still hidden, then shows and activates the window unless a handler
    // of created() asked for its destruction.
    void load();

    QString caption() const;
    void setCaption(const QString& caption);
    bool isShownOnScreen() const;
    // true shows and activates the window at its current size and place; false hides it.
    void setShownOnScreen(bool shown);

    // The declared controls, by the role they play. Their object names are the declared names.
    QPushButton* startStopButton() const { return startStopButton_; } // 按钮1
    QPushButton* copyButton() const { return copyButton_; }           // 按钮2
    QPushButton* trendButton() const { return trendButton_; }         // 按钮3
    QLineEdit* secondsEdit() const { return secondsEdit_; }           // 编辑框1
    QLineEdit* countEdit() const { return countEdit_; }               // 编辑框2
    QCheckBox* timedModeCheck() const { return timedModeCheck_; }     // 选择框1
    QLabel* countLabel() const { return countLabel_; }                // 标签1
    ResultsBox* resultsBox() const { return resultsBox_; }            // 超级编辑框1
    PeriodTimer& drawTimer() { return drawTimer_; }                   // 时钟1

    QMenu* trayMenu() const { return trayMenu_; } // 托盘菜单
    QAction* showWindowItem() const { return showWindowItem_; }
    QAction* exitItem() const { return exitItem_; }
    // A hidden top-level menu leaves the menu bar; with nothing left there the bar goes too.
    void setTrayMenuVisible(bool visible);

    // The close query: asked before every close request (close box, Alt+F4, Esc, the session
    // ending). Returns true to let the close go ahead. Without one, closes go ahead.
    void setCloseQuery(std::function<bool()> closeQuery);
    // Asks the close query as a close request does; true when the window was destroyed.
    bool requestClose();

    // Queued destruction: after the current handler returns, aboutToBeDestroyed() is raised and
    // the window goes away, without a close query. Then destroyed() ends the program.
    void destroyQueued();
    bool isDestroyed() const { return destroyed_; }

signals:
    void created();
    void aboutToBeDestroyed();
    void windowDestroyed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildControls();
    void fitOuterSizeToFrame();
    void destroyNow();
    bool startsWindowMove(QObject* watched) const;
    bool filterTypedCount(QEvent* event) const;

    QMenuBar* menuBar_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    QAction* showWindowItem_ = nullptr;
    QAction* exitItem_ = nullptr;

    QPushButton* startStopButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* trendButton_ = nullptr;
    QLineEdit* secondsEdit_ = nullptr;
    QLineEdit* countEdit_ = nullptr;
    QCheckBox* timedModeCheck_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLabel* secondsCaption_ = nullptr; // 透明标签1
    ResultsBox* resultsBox_ = nullptr;
    QList<QWidget*> dragSurfaces_;
    PeriodTimer drawTimer_;

    std::function<bool()> closeQuery_;
    bool destroyQueued_ = false;
    bool destroyed_ = false;
};

} // namespace vintrale
