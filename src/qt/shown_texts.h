// What the windows show for the game's texts, as Qt's strings: the game's texts or their
// translation, as every front end shows them (play/texts/window_texts.h).
#pragma once

#include <QString>
#include <string>

#include "forms/controls.h"
#include "play/texts/window_texts.h"
#include "play/texts/wording.h"

namespace mojara::qt {

class ShownTexts {
 public:
  ShownTexts() = default;  // the game's own texts
  explicit ShownTexts(CaptionTranslator translator) : texts_(std::move(translator)) {}

  static const ShownTexts& original();

  // The game whose battle window's messages are translated from its fight.
  void setGame(const Game* game) { texts_.setGame(game); }
  void setBindings(const KeyBindings* bindings) { texts_.setBindings(bindings); }

  // `text` as a window shows it, its line breaks as LF.
  QString operator()(const std::string& text) const { return QString::fromStdString(texts_(text)); }
  // A composed message, its form and its parts each shown so.
  QString operator()(const Wording& words) const {
    return QString::fromStdString(words.text([this](const std::string& text) { return texts_(text); }));
  }
  // What `label` shows (play/texts/window_texts.h).
  QString caption(const forms::Label& label) const { return QString::fromStdString(texts_.caption(label)); }

  // How a label is shown where the game's layout, made for its Japanese texts, does not suit a
  // translation; in the game's own language every label is shown as the game placed it.
  using LabelLook = mojara::LabelLook;
  LabelLook lookOf(const forms::Label& label) const { return texts_.lookOf(label); }

 private:
  WindowTexts texts_;
};

}  // namespace mojara::qt
