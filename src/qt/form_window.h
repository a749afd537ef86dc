// The top-level window of one loaded form: its canvas for the lightweight controls, native
// widgets for buttons, lists, text boxes and scroll bars, and its keyboard and mouse input.
#pragma once

#include <QWidget>
#include <map>
#include <optional>

#include "forms/form.h"
#include "qt/canvas_changes.h"
#include "qt/canvas_painter.h"

namespace mojara::qt {

class FrontEnd;

class FormWindow : public QWidget {
 public:
  FormWindow(forms::Form& form, FrontEnd& frontEnd);

  forms::Form& form() const { return form_; }
  // The native widget of a button, list, text box or scroll bar; null for the other controls.
  QWidget* widgetOf(const forms::Control& control) const;
  // Brings every widget in line with its control and repaints what changed on the canvas.
  void sync();
  // Closes the window without asking the game (it is already gone from the desktop).
  void dismiss();
  // Fills the screen: the form scaled by the largest whole factor that fits, centred on black.
  void setFullScreen(bool on);
  QSize formSize() const;  // the client area in pixels at the window's scale
  // Shows these notices and marks over the window (none: nothing).
  void showNotices(const QStringList& lines, const QStringList& marks = {});

 protected:
  void paintEvent(QPaintEvent*) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createWidgets();
  QWidget* createWidget(forms::Control& control);
  void syncWidget(forms::Control& control, QWidget& widget);
  // Input on a native widget (a press, a wheel turn, a key) counts as the player's input.
  void watchInput(QWidget& widget);
  int buttonCode(Qt::MouseButtons buttons) const;
  QPointF toTwips(QPointF windowPoint) const;
  // The keyboard where the desktop has it: on the control's widget, or on the window itself.
  void syncFocus();
  void syncMark();
  QRect markRect(const std::optional<forms::Box>& box) const;  // window pixels, the frame included

  forms::Form& form_;
  FrontEnd& frontEnd_;
  Scale scale_;
  QPointF offset_;  // where the form's client area starts inside the window
  QPoint normalPosition_;  // where the client area was before the window went full screen
  std::map<forms::Control*, QWidget*> widgets_;
  std::map<const QWidget*, Qt::FocusPolicy> focusPolicies_;  // each widget's own, for when it is in reach
  CanvasChanges changes_;
  bool dismissed_ = false;
  class NoticeLayer;
  NoticeLayer* noticeLayer_ = nullptr;  // made with the first notice, a child of the window
  std::optional<forms::Box> mark_;      // the keyboard's mark as last painted
};

}  // namespace mojara::qt
