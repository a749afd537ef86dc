// Short notices to the player over the game's windows: a sound level changed, a setting that could
// not be used, a recording that could not be written. They lie over the front window's canvas,
// never in the game's own controls, so no window, fight or trace changes for them; each goes
// away by itself after its time.
#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "forms/scheduler.h"
#include "play/sound_levels.h"
#include "play/wording.h"

class QPainter;
class QRectF;

namespace mojara::qt {

class Notices {
 public:
  // Shows `text` (already in the player's language) until `until`; a notice with the same
  // non-empty `slot` (the sound level, say) takes the place of the one shown before.
  void show(const QString& text, forms::Nanos until, const std::string& slot = {});
  // Drops what has had its time; whether anything went.
  bool expire(forms::Nanos now);
  // When the next notice goes, if any is shown.
  std::optional<forms::Nanos> nextExpiry() const;
  // The lines shown, oldest first.
  QStringList lines() const;
  bool empty() const { return shown_.empty() && marks_.empty(); }

  // A mark that stays until it is taken away (the demo fight's), one a slot.
  void mark(const QString& text, const std::string& slot);
  void unmark(const std::string& slot);
  QStringList marks() const;

 private:
  struct Notice {
    QString text;
    forms::Nanos until;
    std::string slot;
  };
  std::vector<Notice> shown_;
  std::vector<std::pair<std::string, QString>> marks_;  // by slot, oldest first
};

// Paints `marks` in a slim strip on the bottom edge of `area` (the form's client area), small enough
// to lie on the battle's floor, and `lines` in a dark box above them, at `scale`.
void paintNotices(QPainter& painter, const QStringList& lines, const QStringList& marks, const QRectF& area,
                  int scale);

}  // namespace mojara::qt
