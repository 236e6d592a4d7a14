// Guide: every sentence the program says about a check, loaded from Guide.json in the core's
// resource folder "Brindle_BrindleCore.bundle".
//
// The code holds keys and numbers; the file holds the words. `Guide::shared()` loads the file
// once, on first use from any thread (the load is guarded), and never changes it. A missing
// resource folder or an undecodable file stops the program with a message, as does a lookup
// of a key the shipped file lacks: both are defects of the shipped program, not of the
// user's data.
#pragma once

#include "BrindleCore/Json.h"
#include "BrindleCore/Translation.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace brindle {

struct Phrase {
    struct Counted {
        std::string one;   // for a count of exactly 1
        std::string other; // for every other count, 0 and negatives included
        friend bool operator==(const Counted&, const Counted&) = default;
    };
    std::variant<std::string, Counted> form;
    // The catalogue context of a counted phrase, whose form is chosen per count; empty for
    // phrases never translated (a guide decoded in a test).
    std::string context{};

    // The chosen form with every "{name}" replaced by its value; "{n}" is the count grouped
    // with commas unless `values` holds "n". Unknown placeholders stay as they are.
    std::string text(std::int64_t count, const PhraseValues& values = {}) const;

    friend bool operator==(const Phrase&, const Phrase&) = default;
};

struct GuideFinding {
    std::string id;
    Phrase title;
    Phrase line;
    std::string button;
    std::string opens;
    std::string help;
    friend bool operator==(const GuideFinding&, const GuideFinding&) = default;
};

struct GuideNote {
    Phrase title;
    Phrase body;
    friend bool operator==(const GuideNote&, const GuideNote&) = default;
};

struct Opens {
    std::optional<std::string> url{};
    std::optional<std::string> action{};
    std::optional<bool> tested{};
    friend bool operator==(const Opens&, const Opens&) = default;
};

struct Guide {
    std::int64_t version = 0;
    std::string line;
    std::string promise;
    std::map<std::string, std::string> places;
    std::map<std::string, Phrase> answers;
    std::vector<GuideFinding> findings;
    std::map<std::string, Opens> opens;
    std::map<std::string, GuideNote> notes;

    // Lookups stop the program, naming the key, when the guide lacks it.
    const Phrase& answer(const std::string& key) const;
    const GuideFinding& finding(const std::string& id) const; // the first with that id
    const GuideNote& note(const std::string& id) const;

    // The shipped guide, loaded on first use.
    static const Guide& shared();
    // Loads Guide.json from the resource folder `bundle`; stops the program when there is no
    // folder ("unable to find bundle named Brindle_BrindleCore") or when the file is missing
    // or does not decode ("Guide.json is missing or doesn't decode").
    static Guide load(const std::optional<std::string>& bundle);

    friend bool operator==(const Guide&, const Guide&) = default;
};

struct GuideDecoding {
    std::optional<Guide> guide;
    std::string error; // why it failed, when it did
    std::string where; // the position of a data-corruption error ("answers.noBackup")
};

GuideDecoding decodeGuide(const JsonIn& value);
GuideDecoding decodeGuideText(std::string_view text);

// The name of the core's resource folder.
inline constexpr const char* guideBundleName = "Brindle_BrindleCore.bundle";

} // namespace brindle
