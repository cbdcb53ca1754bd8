#pragma once

#include <QPoint>
#include <QSize>
#include <array>
#include <string_view>

namespace vintrale {

enum class ControlKind {
    transparentLabel,
    label,
    lineEdit,
    checkBox,
    groupBox,
    richTextBox,
    pushButton,
    timer,
};

// One control of the main window as declared: place relative to its parent's client area.
struct ControlDeclaration {
    std::string_view name;
    ControlKind kind;
    std::string_view parent; // empty: the main window itself
    QPoint place;
    QSize size;
    std::string_view text;
};

inline constexpr std::string_view mainWindowCaption = "Vintrale";
inline constexpr QSize mainWindowOuterSize{384, 303};
inline constexpr std::string_view trayMenuTitle = "托盘菜单";
inline constexpr std::string_view showWindowItemText = "显示窗口";
inline constexpr std::string_view exitItemText = "退出程序";

// The controls in the order they are created. A child may come before its parent here: the
// builder creates every control before it gives any its parent.
inline constexpr std::array<ControlDeclaration, 13> mainWindowControls{{
    {"透明标签1", ControlKind::transparentLabel, "分组框3", {42, 31}, {48, 24}, "秒后停止"},
    {"编辑框1", ControlKind::lineEdit, "分组框3", {8, 32}, {32, 20}, ""},
    {"选择框1", ControlKind::checkBox, "分组框3", {8, 8}, {56, 24}, "定时"},
    {"分组框3", ControlKind::groupBox, "", {280, 200}, {96, 64}, ""},
    {"超级编辑框1", ControlKind::richTextBox, "", {2, 10}, {264, 254}, ""},
    {"标签1", ControlKind::label, "分组框2", {16, 10}, {32, 24}, "注数"},
    {"按钮3", ControlKind::pushButton, "分组框1", {7, 112}, {90, 32}, "逛“乐和彩”"},
    {"按钮2", ControlKind::pushButton, "分组框1", {7, 68}, {90, 32}, "复制到剪辑板"},
    {"按钮1", ControlKind::pushButton, "分组框1", {7, 22}, {90, 32}, "开始选号"},
    {"编辑框2", ControlKind::lineEdit, "分组框2", {48, 13}, {40, 20}, "5"},
    {"分组框2", ControlKind::groupBox, "", {280, 160}, {96, 40}, ""},
    {"分组框1", ControlKind::groupBox, "", {280, 0}, {104, 160}, ""},
    {"时钟1", ControlKind::timer, "", {248, 128}, {26, 26}, ""},
}};

// Tab and Shift+Tab walk this cycle; the label 标签1 is outside it (Tab from there enters it).
inline constexpr std::array<std::string_view, 7> tabCycle{
    "编辑框2", "按钮1", "按钮2", "按钮3", "超级编辑框1", "选择框1", "编辑框1",
};

} // namespace vintrale
