// Where a window opens: centred on the screen's room for windows, as every window of the game
// opens, and wholly inside it, its frame included.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace mojara::qt {

// What a desktop's frame adds around a window's client area (its title bar and borders). The real
// frame is known only once the window is on screen, so the windows allow this much.
inline constexpr QMargins kFrameAllowance(6, 36, 6, 6);

// The primary screen's room for windows: the screen without its panels and docks.
QRect workArea();

// Whether a window of client size `size` fits `area` with its frame.
bool fitsIn(QSize size, const QRect& area);

// Where a window of client size `size` opens, as QWidget::move places a window (its frame's
// top-left corner): centred on `area` and wholly inside it. A window larger than `area` keeps its
// top-left corner, and so its title bar, inside it.
QPoint centredIn(QSize size, const QRect& area);

inline QPoint centredOnScreen(QSize size) { return centredIn(size, workArea()); }

}  // namespace mojara::qt
