#include "BrindleCore/Translation.h"

#include "BrindleCore/ResourceBundle.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <libintl.h>
#include <string_view>

namespace brindle {

namespace {
constexpr const char* domain = "brindle";
// gettext's own separator between a message's context and its text.
constexpr char contextSeparator = '\004';

bool bound = false;
std::string locale;

// The catalogue's language, as its translators wrote it under this context.
std::string catalogueLanguage()
{
    const std::string code = translated("language code of this translation, as in de or pt_BR", "en");
    return code == "en" ? std::string() : code;
}

const char* firstSet(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return nullptr;
}

std::string languageOf(std::string_view name) { return std::string(name.substr(0, name.find_first_of("_.@:"))); }
} // namespace

void useSystemLanguage(const std::optional<std::string>& localeFolder)
{
    std::setlocale(LC_CTYPE, "");
    const char* messages = std::setlocale(LC_MESSAGES, "");
    std::string system = messages ? messages : "";
    if (!messages) {
        // gettext ignores LANGUAGE under the "C" locale, but not under C.UTF-8.
        std::setlocale(LC_CTYPE, "C.UTF-8");
        std::setlocale(LC_MESSAGES, "C.UTF-8");
        if (const char* wanted = firstSet({"LC_ALL", "LC_MESSAGES", "LANG"})) {
            system = wanted;
            if (!firstSet({"LANGUAGE"}))
                setenv("LANGUAGE", wanted, 1);
        }
    }
    if (!localeFolder)
        return;
    bindtextdomain(domain, localeFolder->c_str());
    bind_textdomain_codeset(domain, "UTF-8");
    bound = true;
    const std::string language = catalogueLanguage();
    if (language.empty())
        return;
    // The region and script of the person's locale where its language is the catalogue's.
    std::string chosen = languageOf(system) == languageOf(language) ? system.substr(0, system.find('.')) : language;
    locale = chosen.substr(0, chosen.find('@'));
}

void useSystemLanguage()
{
    const std::optional<std::string> bundle = findResourceBundle();
    useSystemLanguage(bundle ? std::optional(*bundle + "/locale") : std::nullopt);
}

std::string translated(const char* context, const char* text)
{
    if (!bound)
        return text;
    std::string key = std::string(context) + contextSeparator + text;
    const char* found = dcgettext(domain, key.c_str(), LC_MESSAGES);
    return found == key.c_str() || std::strcmp(found, key.c_str()) == 0 ? std::string(text) : std::string(found);
}

std::string translatedCounted(const char* context, const char* one, const char* other, std::int64_t n)
{
    const char* english = n == 1 ? one : other;
    if (!bound)
        return english;
    std::string key = *context ? std::string(context) + contextSeparator + one : std::string(one);
    // gettext takes an unsigned long; the forms of the largest magnitude serve beyond it.
    const unsigned long count =
        n < 0 ? static_cast<unsigned long>(0 - static_cast<std::uint64_t>(n)) : static_cast<unsigned long>(n);
    const char* found = dcngettext(domain, key.c_str(), other, count, LC_MESSAGES);
    if (found == key.c_str() || found == other)
        return english;
    return found;
}

std::string pluralCategory(std::int64_t n)
{
    // TRANSLATORS: not shown. Write in each form the CLDR name of the plural category it serves
    // (one, two, few, many or other), as in the "Plural-Forms" of this catalogue.
    return translatedCounted("plural category", "one", "other", n);
}

std::string fill(std::string text, const PhraseValues& values)
{
    for (const auto& [name, value] : values) {
        const std::string placeholder = "{" + name + "}";
        for (auto at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + value.size()))
            text.replace(at, placeholder.size(), value);
    }
    return text;
}

const std::string& formattingLocale() { return locale; }

} // namespace brindle
