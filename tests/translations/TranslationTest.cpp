// Each catalogue in po/LINGUAS, chosen as a person's environment chooses it: its plural forms
// agree with CLDR's rules for its language (through ICU), and the words of numbers and days
// follow the language. One process per test binary: the chosen language cannot be unchosen.
#include "BrindleCore/Translation.h"
#include "BrindleCore/Calendar.h"
#include "BrindleCore/Words.h"

#include <gtest/gtest.h>
#include <unicode/plurrule.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace brindle {
namespace {

std::vector<std::string> languages()
{
    std::ifstream linguas(BRINDLE_SOURCE_DIR "/po/LINGUAS");
    std::vector<std::string> found;
    for (std::string line; std::getline(linguas, line);)
        if (!line.empty() && line.front() != '#')
            found.push_back(line);
    return found;
}

std::string cldrCategory(const std::string& language, std::int64_t n)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::PluralRules> rules(icu::PluralRules::forLocale(icu::Locale(language.c_str()), status));
    std::string category;
    rules->select(static_cast<int32_t>(n)).toUTF8String(category);
    return category;
}

void choose(const std::string& language)
{
    setenv("LANGUAGE", language.c_str(), 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    useSystemLanguage(std::string(BRINDLE_CATALOGUE_DIR));
}

TEST(Translation, EveryCatalogueChoosesItsPluralFormsAsCldrDoes)
{
    for (const std::string& language : languages()) {
        choose(language);
        for (std::int64_t n = 0; n <= 1000; ++n)
            ASSERT_EQ(pluralCategory(n), cldrCategory(language, n)) << language << ", n = " << n;
    }
}

TEST(Translation, GermanWritesNumbersAndDaysTheGermanWay)
{
    choose("de");
    ASSERT_EQ(formattingLocale(), "de");
    const Calendar calendar = Calendar::utc();
    const Instant now = parseISO8601("2026-12-08T12:00:00Z").value();
    EXPECT_EQ(Words::count(1204), "1.204");
    EXPECT_EQ(Words::size(1'230'000'000), "1,23\u00A0GB");
    EXPECT_EQ(Words::moment(parseISO8601("2026-12-01T22:00:00Z").value(), now, calendar), "am 1. Dezember um 22:00");
    EXPECT_EQ(Words::date(parseISO8601("2025-10-05T10:00:00Z").value(), now, calendar), "5. Oktober 2025");
    EXPECT_EQ(Words::list({"Dokumente", "Bilder", "Musik"}), "Dokumente, Bilder und Musik");
    EXPECT_EQ(Words::counted(2, "file", "files"), "2 Dateien");
}

} // namespace
} // namespace brindle
