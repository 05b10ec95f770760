#pragma once
// A top-level window of the toolkit. A close request never closes it by itself: it is queued as an
// event, and the program decides.

#include <QWidget>

class QMenuBar;
class QStatusBar;

class ToolkitWindow : public QWidget {
    Q_OBJECT
  public:
    ToolkitWindow(int number, int width, int height, Qt::WindowFlags flags);

    /// The inner area that holds the controls, below the menu bar.
    QWidget* clientArea() const { return client_; }
    /// Gives the window a menu bar above its inner area.
    QMenuBar* addMenuBar();
    /// The status line below the inner area, made on first use (the window grows by its height).
    QStatusBar* statusLine();
    /// Lays the window out again at once, so that the inner area moves below a grown menu bar.
    void relayout();

  protected:
    void closeEvent(QCloseEvent* event) override;
    /// Enter and Escape of a window with dialog keys; the keys reach it when the focused control
    /// leaves them.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int number_;
    QWidget* client_;
    QStatusBar* status_ = nullptr;
};
