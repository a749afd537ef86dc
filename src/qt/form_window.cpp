#include "qt/form_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "forms/layout.h"
#include "qt/front_end.h"
#include "qt/key_map.h"
#include "qt/notices.h"
#include "qt/picture_library.h"

namespace mojara::qt {

namespace {

// The shift state as the game's key handlers get it: 1 Shift, 2 Ctrl, 4 Alt.
int shiftOf(const QKeyEvent& event) {
  return (event.modifiers() & Qt::ShiftModifier ? 1 : 0) | (event.modifiers() & Qt::ControlModifier ? 2 : 0) |
         (event.modifiers() & Qt::AltModifier ? 4 : 0);
}

// The player's own input on a widget (a mouse move over it is not).
bool isInput(const QEvent& event) {
  switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
      return true;
    default:
      return false;
  }
}

}  // namespace

// The notices lie over the canvas and over the buttons and lists on it alike: a layer of their
// own above every widget, which takes no input.
class FormWindow::NoticeLayer : public QWidget {
 public:
  explicit NoticeLayer(FormWindow& window) : QWidget(&window), window_(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
  }
  void showLines(const QStringList& lines, const QStringList& marks) {
    lines_ = lines;
    marks_ = marks;
    setGeometry(QRect(window_.offset_.toPoint(), window_.formSize()));
    setVisible(!lines_.isEmpty() || !marks_.isEmpty());
    raise();
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paintNotices(painter, lines_, marks_, QRectF(rect()), window_.scale_.factor);
  }

 private:
  FormWindow& window_;
  QStringList lines_, marks_;
};

FormWindow::FormWindow(forms::Form& form, FrontEnd& frontEnd)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint |
                           (form.MinButton ? Qt::WindowMinimizeButtonHint : Qt::Widget) |
                           (form.MaxButton ? Qt::WindowMaximizeButtonHint : Qt::Widget)),
      form_(form),
      frontEnd_(frontEnd),
      scale_(frontEnd.scale()) {
  setFixedSize(formSize());
  setWindowTitle(frontEnd_.texts()(form.Caption));
  if (const QImage* icon = frontEnd_.pictures().find(form.Icon))
    setWindowIcon(QIcon(QPixmap::fromImage(*icon)));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  createWidgets();
}

void FormWindow::createWidgets() {
  for (forms::Control* control : form_.controls())
    if (QWidget* widget = createWidget(*control)) {
      widgets_[control] = widget;
      focusPolicies_[widget] = widget->focusPolicy();
      watchInput(*widget);
      syncWidget(*control, *widget);
    }
}

void FormWindow::watchInput(QWidget& widget) {
  // The text box's viewport and scroll bars take their own wheel turns and presses.
  widget.installEventFilter(this);
  for (QWidget* part : widget.findChildren<QWidget*>()) part->installEventFilter(this);
}

QWidget* FormWindow::widgetOf(const forms::Control& control) const {
  auto it = widgets_.find(const_cast<forms::Control*>(&control));
  return it == widgets_.end() ? nullptr : it->second;
}

QWidget* FormWindow::createWidget(forms::Control& control) {
  forms::Desktop& desktop = frontEnd_.desktop();
  switch (control.Kind) {
    case forms::ControlKind::CommandButton: {
      auto* button = new QPushButton(this);
      connect(button, &QPushButton::clicked, this, [this, &control, &desktop] {
        desktop.click(control);
        frontEnd_.afterEvent();
      });
      return button;
    }
    case forms::ControlKind::ComboBox: {
      auto& combo = static_cast<forms::ComboBox&>(control);
      auto* box = new QComboBox(this);
      for (const std::string& item : combo.List) box->addItem(frontEnd_.texts()(item));
      box->setCurrentIndex(-1);
      connect(box, &QComboBox::activated, this, [this, &combo, &desktop](int index) {
        // The choice is made in the list's own pop-up window, which no filter watches.
        if (!frontEnd_.input()) return frontEnd_.afterEvent();
        desktop.choose(combo, index);
        frontEnd_.afterEvent();
      });
      return box;
    }
    case forms::ControlKind::TextBox: {
      auto* text = new QPlainTextEdit(this);
      text->setFrameShape(QFrame::Box);
      text->setTabChangesFocus(true);  // Tab moves on to the next control, as from any control
      return text;
    }
    case forms::ControlKind::HScrollBar: {
      auto& bar = static_cast<forms::HScrollBar&>(control);
      auto* scroll = new QScrollBar(Qt::Horizontal, this);
      connect(scroll, &QScrollBar::valueChanged, this, [this, &bar, &desktop](int value) {
        desktop.change(bar, value);
        frontEnd_.afterEvent();
      });
      return scroll;
    }
    default:
      return nullptr;
  }
}

QSize FormWindow::formSize() const {
  return {static_cast<int>(std::lround(scale_.px(form_.ScaleWidth))),
          static_cast<int>(std::lround(scale_.px(form_.ScaleHeight)))};
}

void FormWindow::setFullScreen(bool on) {
  if (on) {
    if (!isFullScreen()) normalPosition_ = geometry().topLeft();
    const QSize screen = this->screen()->geometry().size();
    const double w = form_.ScaleWidth / forms::kTwipsPerPixel, h = form_.ScaleHeight / forms::kTwipsPerPixel;
    scale_.factor = std::max(1, static_cast<int>(std::min(screen.width() / w, screen.height() / h)));
    const QSize size = formSize();
    offset_ = QPointF((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setGeometry(this->screen()->geometry());  // for desktops without a window manager too
    showFullScreen();
  } else {
    scale_ = frontEnd_.scale();
    offset_ = {};
    showNormal();
    setFixedSize(formSize());
    setGeometry(QRect(normalPosition_, formSize()));  // back where it was, not in the screen's corner
  }
  changes_.forget();
  sync();
  update();
  if (noticeLayer_) noticeLayer_->showLines(frontEnd_.noticesOver(*this), frontEnd_.marksOver(*this));
}

QPointF FormWindow::toTwips(QPointF point) const {
  return (point - offset_) * (static_cast<double>(forms::kTwipsPerPixel) / scale_.factor);
}

namespace {

// Widgets are brought in line on every event: only what differs is set, as setting a font or a
// place makes Qt lay the widget out again.
void setFontOf(QWidget& widget, const QFont& font) {
  if (widget.font() != font) widget.setFont(font);
}

}  // namespace

void FormWindow::syncWidget(forms::Control& control, QWidget& widget) {
  const Scale& scale = scale_;
  const QRect place = scale.rect(forms::absoluteBox(control)).translated(offset_).toRect();
  if (widget.geometry() != place) widget.setGeometry(place);
  if (widget.isVisibleTo(this) != forms::isShowing(control)) widget.setVisible(forms::isShowing(control));
  // Tab and clicks never put the keyboard where the player cannot see it.
  const bool inReach = forms::canTakeFocus(control);
  const Qt::FocusPolicy policy = inReach ? focusPolicies_.at(&widget) : Qt::NoFocus;
  if (widget.focusPolicy() != policy) widget.setFocusPolicy(policy);
  if (!inReach && widget.hasFocus()) widget.clearFocus();
  switch (control.Kind) {
    case forms::ControlKind::CommandButton: {
      auto& c = static_cast<forms::CommandButton&>(control);
      auto& button = static_cast<QPushButton&>(widget);
      if (const QString caption = frontEnd_.texts()(c.Caption); button.text() != caption)
        button.setText(caption);
      setFontOf(button, fontFor(c.Font, scale));
      if (button.isEnabled() != c.Enabled) button.setEnabled(c.Enabled);
      break;
    }
    case forms::ControlKind::ComboBox: {
      auto& c = static_cast<forms::ComboBox&>(control);
      auto& box = static_cast<QComboBox&>(widget);
      setFontOf(box, fontFor(c.Font, scale));
      if (box.currentIndex() != c.ListIndex) {
        const QSignalBlocker quiet(box);
        box.setCurrentIndex(c.ListIndex);
      }
      break;
    }
    case forms::ControlKind::TextBox: {
      auto& c = static_cast<forms::TextBox&>(control);
      auto& text = static_cast<QPlainTextEdit&>(widget);
      setFontOf(text, fontFor(c.Font, scale));
      if (text.isReadOnly() != c.Locked) text.setReadOnly(c.Locked);
      const Qt::ScrollBarPolicy bar = c.VerticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
      if (text.verticalScrollBarPolicy() != bar) text.setVerticalScrollBarPolicy(bar);
      const auto wrap = c.MultiLine ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap;
      if (text.lineWrapMode() != wrap) text.setLineWrapMode(wrap);
      if (const QString shown = frontEnd_.texts()(c.Text); text.toPlainText() != shown)
        text.setPlainText(shown);
      break;
    }
    case forms::ControlKind::HScrollBar: {
      auto& c = static_cast<forms::HScrollBar&>(control);
      auto& scroll = static_cast<QScrollBar&>(widget);
      if (scroll.minimum() == std::min(c.Min, c.Max) && scroll.maximum() == std::max(c.Min, c.Max) &&
          scroll.singleStep() == c.SmallChange && scroll.pageStep() == c.LargeChange && scroll.value() == c.Value)
        break;
      const QSignalBlocker quiet(scroll);
      scroll.setRange(std::min(c.Min, c.Max), std::max(c.Min, c.Max));
      scroll.setSingleStep(c.SmallChange);
      scroll.setPageStep(c.LargeChange);
      scroll.setValue(c.Value);
      break;
    }
    default:
      break;
  }
}

void FormWindow::sync() {
  if (dismissed_ || !form_.loaded()) return;
  for (auto& [control, widget] : widgets_) syncWidget(*control, *widget);
  syncFocus();
  const QRegion changed = changes_.changed(form_, frontEnd_.pictures(), scale_, frontEnd_.texts());
  if (!changed.isEmpty()) update(changed.translated(offset_.toPoint()));
  syncMark();
}

void FormWindow::syncFocus() {
  const forms::Control* focused = frontEnd_.desktop().focus(form_);
  QWidget* wanted = focused ? widgetOf(*focused) : nullptr;
  if (!wanted) wanted = this;
  // A window in the background takes it when it comes to the front.
  if (focusWidget() != wanted) wanted->setFocus(Qt::OtherFocusReason);
}

QRect FormWindow::markRect(const std::optional<forms::Box>& box) const {
  if (!box) return {};
  const int s = scale_.factor;
  return scale_.rect(*box).translated(offset_).toAlignedRect().adjusted(-2 * s, -2 * s, 2 * s, 2 * s);
}

void FormWindow::syncMark() {
  const std::optional<forms::Box> mark = frontEnd_.keyboardMark(form_);
  if (mark == mark_) return;
  update(markRect(mark_));
  mark_ = mark;
  update(markRect(mark_));
}

void FormWindow::dismiss() {
  dismissed_ = true;
  widgets_.clear();
  hide();
}

void FormWindow::paintEvent(QPaintEvent* event) {
  if (dismissed_ || !form_.loaded()) return;
  QPainter painter(this);
  if (!offset_.isNull()) {
    painter.fillRect(rect(), Qt::black);
    painter.translate(offset_);
  }
  // Controls may reach past the client area (the battle's floor strip is wider than its window):
  // nothing is painted outside it, in a window or on the black around it in full screen.
  painter.setClipRect(QRect(QPoint(0, 0), formSize()), Qt::IntersectClip);
  paintForm(painter, form_, frontEnd_.pictures(), scale_, event->region().translated(-offset_.toPoint()),
            frontEnd_.texts());
  if (mark_) {
    // Where the keyboard is: a frame around the portrait under the pointer, or just outside a
    // scroll bar, whose widget lies over the canvas.
    painter.resetTransform();
    painter.setClipping(false);
    const int s = scale_.factor;
    painter.setPen(QPen(QColor(255, 255, 0), 2 * s, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(markRect(mark_)).adjusted(s, s, -s, -s));
  }
}

void FormWindow::showNotices(const QStringList& lines, const QStringList& marks) {
  if (!noticeLayer_) {
    if (lines.isEmpty() && marks.isEmpty()) return;
    noticeLayer_ = new NoticeLayer(*this);
  }
  noticeLayer_->showLines(lines, marks);
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
  const int code = virtualKeyOf(*event);
  if (code == 0 || dismissed_) return QWidget::keyPressEvent(event);
  frontEnd_.keyPressed(form_, code, shiftOf(*event));
}

bool FormWindow::event(QEvent* event) {
  // Tab moves the keyboard as the desktop has it, not as Qt would.
  if (event->type() == QEvent::KeyPress && !dismissed_) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  return QWidget::event(event);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  if (dismissed_) return QWidget::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  // A form with key preview sees every key before the control that has the focus; the keys the
  // desktop moves about the window with go to it too (a list's pop-up is a window of its own).
  if (event->type() == QEvent::KeyPress && widget && widget->window() == this) {
    auto* key = static_cast<QKeyEvent*>(event);
    const forms::Control* focused = frontEnd_.desktop().focus(form_);
    if (form_.KeyPreview || !focused || forms::navigationKey(*focused, virtualKeyOf(*key), shiftOf(*key))) {
      keyPressEvent(key);
      return true;
    }
  }
  // A click that puts the keyboard on a control puts it there for the desktop too.
  if (event->type() == QEvent::FocusIn && static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
    for (auto& [control, w] : widgets_)
      if (w == watched) frontEnd_.desktop().setFocus(*control);
  // Input on a widget is the player's as much as input on the canvas; where it ended a demo it
  // goes no further.
  if (isInput(*event) && !frontEnd_.input()) {
    frontEnd_.afterEvent();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

int FormWindow::buttonCode(Qt::MouseButtons buttons) const {
  return (buttons & Qt::LeftButton ? forms::mouse::Left : 0) |
         (buttons & Qt::RightButton ? forms::mouse::Right : 0) |
         (buttons & Qt::MiddleButton ? forms::mouse::Middle : 0);
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
  if (dismissed_ || !frontEnd_.input()) return frontEnd_.afterEvent();
  const QPointF at = toTwips(event->position());
  frontEnd_.desktop().mouseMove(form_, static_cast<float>(at.x()), static_cast<float>(at.y()),
                                buttonCode(event->buttons()));
  frontEnd_.afterEvent();
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
  if (dismissed_ || !frontEnd_.input()) return frontEnd_.afterEvent();
  const QPointF at = toTwips(event->position());
  frontEnd_.desktop().mouseDown(form_, static_cast<float>(at.x()), static_cast<float>(at.y()),
                                buttonCode(event->button()));
  frontEnd_.afterEvent();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (dismissed_) return event->accept();
  // The game decides: closing a game window ends the program, closing the help only closes it.
  event->ignore();
  frontEnd_.desktop().closeRequest(form_);
  frontEnd_.afterEvent();
}

}  // namespace mojara::qt
