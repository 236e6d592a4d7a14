#include "BrindleCore/Guide.h"

#include "BrindleCore/Fatal.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/ResourceBundle.h"
#include "BrindleCore/Words.h"

#include <cstdio>
#include <cstdlib>

namespace brindle {

void fatal(const std::string& message)
{
    std::fprintf(stderr, "Brindle: %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string Phrase::text(std::int64_t count, const PhraseValues& values) const
{
    std::string out;
    if (const auto* plain = std::get_if<std::string>(&form))
        out = *plain;
    else if (const auto& counted = std::get<Counted>(form); context.empty())
        out = count == 1 ? counted.one : counted.other;
    else
        out = translatedCounted(context.c_str(), counted.one.c_str(), counted.other.c_str(), count);
    PhraseValues filled = values;
    filled.try_emplace("n", Words::count(count));
    return fill(std::move(out), filled);
}

const Phrase& Guide::answer(const std::string& key) const
{
    const auto it = answers.find(key);
    if (it == answers.end())
        fatal("No answer " + key + " in Guide.json");
    return it->second;
}

const GuideFinding& Guide::finding(const std::string& id) const
{
    for (const GuideFinding& candidate : findings)
        if (candidate.id == id)
            return candidate;
    fatal("No finding " + id + " in Guide.json");
}

const GuideNote& Guide::note(const std::string& id) const
{
    const auto it = notes.find(id);
    if (it == notes.end())
        fatal("No note " + id + " in Guide.json");
    return it->second;
}

namespace {
constexpr const char* countedPhraseError = "A counted phrase needs \"one\" and \"other\"";

// Decodes with a shared error text: the first failure wins and stops everything after it.
class GuideDecoder {
public:
    std::string error;
    std::string errorAt;

    bool failed() const { return !error.empty(); }
    void fail(const std::string& why, const std::string& at = {})
    {
        if (error.empty()) {
            error = why;
            errorAt = at;
        }
    }

    const JsonIn* member(const JsonIn& object, const char* key, bool (JsonIn::*isType)() const noexcept,
                         const std::string& where)
    {
        const auto it = object.find(key);
        if (it == object.end() || it->is_null()) {
            fail("missing \"" + std::string(key) + "\" in " + where);
            return nullptr;
        }
        if (!((*it).*isType)()) {
            fail("\"" + std::string(key) + "\" in " + where + " has the wrong type");
            return nullptr;
        }
        return &*it;
    }
    std::string string(const JsonIn& object, const char* key, const std::string& where)
    {
        const JsonIn* value = member(object, key, &JsonIn::is_string, where);
        return value ? value->get<std::string>() : std::string{};
    }

    Phrase phrase(const JsonIn& value, const std::string& where)
    {
        if (value.is_string())
            return {value.get<std::string>()};
        if (!value.is_object()) {
            fail(where + " is not a phrase");
            return {};
        }
        for (const auto& [key, text] : value.items())
            if (!text.is_string()) {
                fail(where + " has a value that is not text");
                return {};
            }
        if (!value.contains("one") || !value.contains("other")) {
            fail(countedPhraseError, where);
            return {};
        }
        return {Phrase::Counted{value["one"].get<std::string>(), value["other"].get<std::string>()}};
    }
    Phrase phrase(const JsonIn& object, const char* key, const std::string& where)
    {
        const auto it = object.find(key);
        if (it == object.end() || it->is_null()) {
            fail("missing \"" + std::string(key) + "\" in " + where);
            return {};
        }
        return phrase(*it, where + "." + key);
    }
};
} // namespace

GuideDecoding decodeGuide(const JsonIn& root)
{
    GuideDecoder d;
    if (!root.is_object())
        return {std::nullopt, "the guide is not a JSON object", {}};
    Guide guide;
    const JsonIn* version = d.member(root, "version", &JsonIn::is_number_integer, "the guide");
    if (version)
        guide.version = jsonInteger(*version).value_or(0);
    guide.line = d.string(root, "line", "the guide");
    guide.promise = d.string(root, "promise", "the guide");

    if (const JsonIn* places = d.member(root, "places", &JsonIn::is_object, "the guide"))
        for (const auto& [key, name] : places->items()) {
            if (!name.is_string())
                d.fail("places." + key + " is not text");
            else
                guide.places[key] = name.get<std::string>();
        }
    if (const JsonIn* answers = d.member(root, "answers", &JsonIn::is_object, "the guide"))
        for (const auto& [key, value] : answers->items())
            guide.answers[key] = d.phrase(value, "answers." + key);
    if (const JsonIn* findings = d.member(root, "findings", &JsonIn::is_array, "the guide"))
        for (std::size_t i = 0; i < findings->size(); ++i) {
            const JsonIn& item = (*findings)[i];
            const std::string where = "findings[" + std::to_string(i) + "]";
            if (!item.is_object()) {
                d.fail(where + " is not an object");
                break;
            }
            GuideFinding finding;
            finding.id = d.string(item, "id", where);
            finding.title = d.phrase(item, "title", where);
            finding.line = d.phrase(item, "line", where);
            finding.button = d.string(item, "button", where);
            finding.opens = d.string(item, "opens", where);
            finding.help = d.string(item, "help", where);
            guide.findings.push_back(std::move(finding));
        }
    if (const JsonIn* opens = d.member(root, "opens", &JsonIn::is_object, "the guide"))
        for (const auto& [key, value] : opens->items()) {
            JsonReader in(value, DateForm::iso8601);
            Opens entry{in.optionalString("url"), in.optionalString("action"), in.optionalBoolean("tested")};
            if (!in.ok())
                d.fail("opens." + key + " is not an object of url, action and tested");
            guide.opens[key] = std::move(entry);
        }
    if (const JsonIn* notes = d.member(root, "notes", &JsonIn::is_object, "the guide"))
        for (const auto& [key, value] : notes->items()) {
            if (!value.is_object()) {
                d.fail("notes." + key + " is not an object");
                continue;
            }
            guide.notes[key] =
                GuideNote{d.phrase(value, "title", "notes." + key), d.phrase(value, "body", "notes." + key)};
        }
    if (d.failed())
        return {std::nullopt, d.error, d.errorAt};
    return {std::move(guide), {}, {}};
}

GuideDecoding decodeGuideText(std::string_view text)
{
    const JsonIn parsed = parseJson(text, limits::guideBytes);
    if (parsed.is_discarded())
        return {std::nullopt, "Guide.json is not JSON", {}};
    return decodeGuide(parsed);
}

namespace {
// The shipped guide in the chosen language. Each text's context is its place in Guide.json
// ("guide: findings.notEncrypted.title"), as po/guide-messages writes it into the catalogue.
void translate(std::string& text, const std::string& where)
{
    if (!text.empty())
        text = translated(("guide: " + where).c_str(), text.c_str());
}

void translate(Phrase& phrase, const std::string& where)
{
    if (auto* plain = std::get_if<std::string>(&phrase.form))
        translate(*plain, where);
    else
        phrase.context = "guide: " + where;
}

Guide translated(Guide guide)
{
    translate(guide.line, "line");
    translate(guide.promise, "promise");
    for (auto& [key, name] : guide.places)
        translate(name, "places." + key);
    for (auto& [key, phrase] : guide.answers)
        translate(phrase, "answers." + key);
    for (GuideFinding& finding : guide.findings) {
        const std::string where = "findings." + finding.id + ".";
        translate(finding.title, where + "title");
        translate(finding.line, where + "line");
        translate(finding.button, where + "button");
        translate(finding.help, where + "help");
    }
    for (auto& [key, note] : guide.notes) {
        translate(note.title, "notes." + key + ".title");
        translate(note.body, "notes." + key + ".body");
    }
    return guide;
}
} // namespace

Guide Guide::load(const std::optional<std::string>& bundle)
{
    if (!bundle)
        fatal("unable to find bundle named Brindle_BrindleCore");
    const ReadResult read = readRegularFile(*bundle + "/Guide.json", limits::guideBytes);
    auto decoded = read.content ? decodeGuideText(*read.content) : GuideDecoding{};
    if (!decoded.guide)
        fatal("Guide.json is missing or doesn't decode");
    return translated(std::move(*decoded.guide));
}

const Guide& Guide::shared()
{
    // A function-local static: initialised exactly once even when first used from many threads.
    static const Guide guide = load(findResourceBundle());
    return guide;
}

} // namespace brindle
