// Translation: every text a person reads, in the language of their desktop, from the gettext
// catalogue "brindle" (po/<language>.po, compiled into the core's resource folder).
//
// The language is chosen once, by `useSystemLanguage`, as gettext chooses it: LANGUAGE, then
// LC_ALL, LC_MESSAGES and LANG. Call it from main before any other thread starts; it sets the
// process's LC_CTYPE and LC_MESSAGES from the environment and leaves LC_NUMERIC alone, so that
// no number is read or written in the locale's form by accident. A locale the system has not
// generated (LANG=de_DE.UTF-8 on a machine without it) still chooses its language: the
// messages then run under C.UTF-8 with LANGUAGE set from that name. Without that call, and for
// every text a catalogue lacks, the text stays English exactly as the code writes it.
//
// The lookups are safe from any thread once the language is chosen. The choice of plural form
// is the catalogue's ("Plural-Forms"); the tests hold each catalogue's forms to the CLDR rules
// of its language as ICU knows them, so a language is added without code.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace brindle {

// The values of a text's placeholders, by name ("{folder}" → "folder").
using PhraseValues = std::map<std::string, std::string>;

// Chooses the language and binds the catalogues found in `localeFolder`
// (`<localeFolder>/<language>/LC_MESSAGES/brindle.mo`); none found leaves English.
void useSystemLanguage(const std::optional<std::string>& localeFolder);
// The same with the catalogues shipped in the core's resource folder.
void useSystemLanguage();

// `text` in the chosen language. `context` says where the text appears; it is the catalogue's
// msgctxt, so the same English in two places can be translated twice.
std::string translated(const char* context, const char* text);
// The form of `one`/`other` for `n` in the chosen language (English: `one` for exactly 1). An
// empty `context` is none: the nouns after a count are shared by every place.
std::string translatedCounted(const char* context, const char* one, const char* other, std::int64_t n);

// `text` with every "{name}" replaced by its value; unknown placeholders stay as they are.
std::string fill(std::string text, const PhraseValues& values);

// The CLDR plural category ("one", "few", "other"…) that the chosen catalogue's form for `n`
// serves, as its translators named it: the tests compare it with ICU's rules for the language.
std::string pluralCategory(std::int64_t n);

// The locale numbers, dates and lists follow: the chosen catalogue's language with the
// region of LC_MESSAGES when they agree ("de_AT", "de"); "" while texts stay English, whose
// forms are the program's own.
const std::string& formattingLocale();

} // namespace brindle
