#pragma once
// The tool window: the program's main window, a small always-on-top window that
// holds one row of tool buttons and owns the drawing overlay.

#include <QMainWindow>

class TToolFrm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TToolFrm(QWidget* parent = nullptr);

  bool isDraw() const { return isDraw_; }
  void isDrawSet(bool b) { isDraw_ = b; }

 private:
  bool isFirst = true;  // until the first show has done its one-time work
  bool isLast = false;  // once exit or closing has begun
  bool isDraw_ = false;
  bool isToolBarHidden = false;
};
