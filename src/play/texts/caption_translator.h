// What a text of the game reads in another language. A text is looked up whole in the language's
// catalogue (a window title, a button, a help topic); one that is not there is taken line by
// line, and a line that is not there either may be one the game composes (the battle speed on the
// select window, a key of the number pad): it is matched against the composed forms below, each a
// catalogue entry of its own with placeholders:
//   {n}     a whole number, written as it is; it also picks the entry's plural form, as gettext's
//           ngettext does ("1 HIT!!", "2 HITS!!")
//   {name}  any text, itself looked up in the catalogue
// A text, line or part the catalogue has no entry for is shown as the game wrote it.
// The battle window's messages are not read back from its captions: they are made from the
// fight's numbers with compose() (play/texts/battle_captions.h).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mojara {

class CaptionTranslator {
 public:
  // The catalogue: an entry's translation, or nothing when it has none. With a `count`, the
  // translation for that many, where the entry has plural forms.
  using Lookup =
      std::function<std::optional<std::string>(const std::string& original, std::optional<unsigned long> count)>;

  explicit CaptionTranslator(Lookup lookup) : lookup_(std::move(lookup)) {}

  // The text in the catalogue's language, its line breaks (CR LF or LF) as LF.
  std::string translate(std::string_view text) const;

  // A line made of `form` (a catalogue entry with placeholders, as above) in the catalogue's
  // language: its {n} written as `number`, which also picks the entry's plural form, and its
  // {name} as `name` translated. Where the catalogue has no entry for the form, the line as the
  // game writes it: the form itself so filled in, `name` untranslated.
  std::string compose(std::string_view form, std::int64_t number, std::string_view name = {}) const;

  // The composed forms the windows' captions are matched against, in the game's words.
  static const std::vector<std::string_view>& composedForms();

 private:
  std::string line(std::string_view text) const;
  std::optional<std::string> matched(std::string_view text) const;
  std::optional<std::string> find(const std::string& original,
                                  std::optional<unsigned long> count = std::nullopt) const;

  Lookup lookup_;
};

}  // namespace mojara
