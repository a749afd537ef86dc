// A language's catalogue as the site carries it (locale/<lang>.json, made from the same .po file
// as the desktop's .mo): {"pluralForms": the header's Plural-Forms, "messages": {text:
// translation}, "plurals": {text: [translation for each plural form]}}. It answers a caption
// translator's lookups as gettext answers them from the .mo.
#pragma once

#include <string>
#include <string_view>

#include "play/texts/caption_translator.h"
#include "web/page_json.h"

namespace mojara::web {

// The plural form (0, 1, ...) that `n` takes by a Plural-Forms header ("nplurals=2; plural=(n !=
// 1);"), as gettext works it out; a header it cannot read gives the Germanic rule, n != 1.
unsigned long pluralFormOf(std::string_view pluralForms, unsigned long n);

// The lookup of the catalogue; throws JsonError when it is not one (a member of the wrong kind
// included). An empty translation is none, as in a .po file.
CaptionTranslator::Lookup catalogueLookup(const Json& catalogue);

}  // namespace mojara::web
