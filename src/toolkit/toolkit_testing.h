#pragma once
// Test access to the real widgets behind window and control numbers. Only tests include this.

class QWidget;

/// The top-level widget of a window, or nullptr.
QWidget* windowWidget(int number);
/// The widget of a control (the view of a list, the QTabWidget of a panel), or nullptr.
QWidget* controlWidget(int number);
