#include "qt/key_map.h"

#include <QKeyEvent>

#include "forms/types.h"

namespace mojara::qt {

int virtualKeyOf(int key) {
  namespace vk = forms::vk;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vk::F1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Left:
      return vk::Left;
    case Qt::Key_Up:
      return vk::Up;
    case Qt::Key_Right:
      return vk::Right;
    case Qt::Key_Down:
      return vk::Down;
    case Qt::Key_Space:
      return vk::Space;
    case Qt::Key_Return:
      return vk::Return;
    case Qt::Key_Enter:  // the number pad's, whatever its modifiers say
      return vk::KeypadEnter;
    case Qt::Key_Escape:
      return vk::Escape;
    case Qt::Key_Backspace:
      return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:  // Shift+Tab
      return vk::Tab;
    case Qt::Key_Shift:
      return vk::Shift;
    case Qt::Key_Control:
      return vk::Control;
    case Qt::Key_Alt:
      return vk::Menu;
    case Qt::Key_Pause:
      return vk::Pause;
    case Qt::Key_PageUp:
      return vk::PageUp;
    case Qt::Key_PageDown:
      return vk::PageDown;
    case Qt::Key_End:
      return vk::End;
    case Qt::Key_Home:
      return vk::Home;
    case Qt::Key_Insert:
      return vk::Insert;
    case Qt::Key_Delete:
      return vk::Delete;
    case Qt::Key_Minus:
      return vk::Minus;
    case Qt::Key_Equal:
      return vk::Equals;
    case Qt::Key_Comma:
      return vk::Comma;
    case Qt::Key_Period:
      return vk::Period;
    case Qt::Key_Slash:
      return vk::Slash;
    case Qt::Key_Semicolon:
      return vk::Semicolon;
    case Qt::Key_BracketLeft:
      return vk::BracketLeft;
    case Qt::Key_BracketRight:
      return vk::BracketRight;
    case Qt::Key_Apostrophe:
      return vk::Apostrophe;
    default:
      return 0;
  }
}

int keypadKeyOf(int key) {
  namespace vk = forms::vk;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::Numpad0 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk:
      return vk::Multiply;
    case Qt::Key_Plus:
      return vk::Add;
    case Qt::Key_Minus:
      return vk::Subtract;
    case Qt::Key_Period:
    case Qt::Key_Comma:  // the decimal key of layouts that write a decimal comma
      return vk::Decimal;
    case Qt::Key_Slash:
      return vk::Divide;
    case Qt::Key_Enter:
    case Qt::Key_Return:
      return vk::KeypadEnter;
    case Qt::Key_Clear:
      return vk::KeypadOf + vk::Clear;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
      return vk::KeypadOf + virtualKeyOf(key);
    default:
      // Any other key the pad may have (an equals sign, say) is the main key of its name.
      return virtualKeyOf(key);
  }
}

int virtualKeyOf(const QKeyEvent& event) {
  // The number pad's keys arrive with the keypad modifier: they are keys of their own, so that a
  // second player can play on them.
  return event.modifiers() & Qt::KeypadModifier ? keypadKeyOf(event.key()) : virtualKeyOf(event.key());
}

}  // namespace mojara::qt
