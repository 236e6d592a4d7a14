#include "BrindleCore/PropertyList.h"

#include <plist/plist.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace brindle {

namespace {

// ---- Checks on the raw bytes, before libplist parses them.

// An XML property list must end with its closing tag (libplist reads a truncated document
// as far as it goes), and its <array> and <dict> elements may nest only so deep.
bool xmlWithinLimits(std::string_view data, int maxDepth)
{
    // A NUL character in a key makes libplist abort; a property list never needs one.
    if (data.find('\0') != std::string_view::npos || data.find("&#0") != std::string_view::npos ||
        data.find("&#x0") != std::string_view::npos || data.find("&#X0") != std::string_view::npos)
        return false;
    const auto last = data.find_last_not_of(" \t\r\n");
    if (last == std::string_view::npos || !data.substr(0, last + 1).ends_with("</plist>"))
        return false;
    int depth = 0;
    // The next '>' at or after the tag being looked at; searched for again only once passed,
    // so that many tags without a '>' cost one pass, not one pass each.
    std::size_t close = 0;
    for (std::size_t at = data.find('<'); at != std::string_view::npos; at = data.find('<', at + 1)) {
        const std::string_view rest = data.substr(at + 1);
        const bool closing = rest.starts_with('/');
        const std::string_view name = closing ? rest.substr(1) : rest;
        const bool container = name.starts_with("array") || name.starts_with("dict");
        if (!container)
            continue;
        if (close != std::string_view::npos && close <= at)
            close = data.find('>', at + 1);
        const bool selfClosing = close != std::string_view::npos && close > at + 1 && data[close - 1] == '/';
        if (closing)
            --depth;
        else if (!selfClosing && ++depth > maxDepth)
            return false;
    }
    return true;
}

// A binary property list ("bplist00"): checks that every offset and reference lies inside
// the file, that containers form no cycle, that dictionary keys are strings without NULs, and
// counts the nodes libplist would build when it copies every shared reference, refusing more
// than `maxNodes` or deeper than `maxDepth`. Each object is examined once, however often it
// is referred to, so the work is linear in the file's size.
class BinaryGuard {
public:
    BinaryGuard(std::string_view data, const PlistLimits& limits) : data_(data), limits_(limits) {}

    bool acceptable()
    {
        if (data_.size() < 8 + 32)
            return false;
        const std::size_t trailer = data_.size() - 32;
        offsetSize_ = byte(trailer + 6);
        refSize_ = byte(trailer + 7);
        const std::uint64_t objects = bigEndian(trailer + 8, 8);
        const std::uint64_t top = bigEndian(trailer + 16, 8);
        tableOffset_ = bigEndian(trailer + 24, 8);
        // Divisions rather than sums and products, so that no hostile value can wrap around.
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8 || objects == 0 ||
            objects > limits_.maxNodes || top >= objects || tableOffset_ < 8 || tableOffset_ > trailer ||
            objects > (trailer - tableOffset_) / offsetSize_)
            return false;
        objectCount_ = objects;
        expanded_.assign(objects, 0);
        state_.assign(objects, State::unseen);
        keyState_.assign(objects, KeyState::unseen);
        return count(top, 1) != 0;
    }

private:
    enum class State : std::uint8_t { unseen, visiting, done };
    enum class KeyState : std::uint8_t { unseen, key, notKey };

    unsigned byte(std::uint64_t at) const { return static_cast<unsigned char>(data_[at]); }
    std::uint64_t bigEndian(std::uint64_t at, unsigned size) const
    {
        std::uint64_t value = 0;
        for (unsigned i = 0; i < size; ++i)
            value = (value << 8) | byte(at + i);
        return value;
    }

    // The length of a string or container at `offset` and where its content starts.
    bool lengthAt(std::uint64_t offset, std::uint64_t& length, std::uint64_t& content) const
    {
        length = byte(offset) & 0xF;
        content = offset + 1;
        if (length != 0xF)
            return true;
        // The length follows as an integer object: marker 0x1n and 2^n bytes.
        if (content >= tableOffset_ || (byte(content) >> 4) != 0x1 || (byte(content) & 0xF) > 3)
            return false;
        const unsigned size = 1u << (byte(content) & 0xF);
        if (size >= tableOffset_ - content)
            return false;
        length = bigEndian(content + 1, size);
        content += 1 + size;
        return true;
    }

    // A dictionary key libplist accepts: a string without NUL characters (it asserts that a
    // key's length equals its C-string length).
    bool isKey(std::uint64_t index)
    {
        if (keyState_[index] != KeyState::unseen)
            return keyState_[index] == KeyState::key;
        const bool key = examineKey(index);
        keyState_[index] = key ? KeyState::key : KeyState::notKey;
        return key;
    }
    bool examineKey(std::uint64_t index) const
    {
        const std::uint64_t offset = bigEndian(tableOffset_ + index * offsetSize_, offsetSize_);
        if (offset < 8 || offset >= tableOffset_)
            return false;
        const unsigned type = byte(offset) >> 4;
        const unsigned unit = type == 0x5 ? 1 : type == 0x6 ? 2 : 0;
        std::uint64_t length = 0, content = 0;
        if (unit == 0 || !lengthAt(offset, length, content) || length > (tableOffset_ - content) / unit)
            return false;
        for (std::uint64_t i = 0; i < length; ++i)
            if (bigEndian(content + i * unit, unit) == 0)
                return false;
        return true;
    }

    // The number of nodes object `index` expands to, 0 when it is refused.
    std::uint64_t count(std::uint64_t index, int depth)
    {
        if (depth > limits_.maxDepth || state_[index] == State::visiting)
            return 0; // too deep, or a cycle
        if (state_[index] == State::done)
            return expanded_[index];
        const std::uint64_t offset = bigEndian(tableOffset_ + index * offsetSize_, offsetSize_);
        if (offset < 8 || offset >= tableOffset_)
            return 0;
        const unsigned marker = byte(offset);
        const unsigned type = marker >> 4;
        std::uint64_t total = 1;
        if (type == 0xA || type == 0xC || type == 0xD) {
            std::uint64_t length = 0, cursor = 0;
            if (!lengthAt(offset, length, cursor) || length > limits_.maxNodes)
                return 0;
            const std::uint64_t refs = type == 0xD ? 2 * length : length;
            if (cursor > tableOffset_ || refs > (tableOffset_ - cursor) / refSize_)
                return 0;
            state_[index] = State::visiting;
            for (std::uint64_t i = 0; i < refs; ++i) {
                const std::uint64_t child = bigEndian(cursor + i * refSize_, refSize_);
                if (child >= objectCount_)
                    return 0;
                if (type == 0xD && i < length && !isKey(child))
                    return 0;
                const std::uint64_t below = count(child, depth + 1);
                if (below == 0 || (total += below) > limits_.maxNodes)
                    return 0;
            }
        }
        state_[index] = State::done;
        expanded_[index] = total;
        return total;
    }

    std::string_view data_;
    const PlistLimits& limits_;
    unsigned offsetSize_ = 0, refSize_ = 0;
    std::uint64_t tableOffset_ = 0, objectCount_ = 0;
    std::vector<std::uint64_t> expanded_;
    std::vector<State> state_;
    std::vector<KeyState> keyState_;
};

// ---- Conversion of libplist's tree into ours.

struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};

PlistNode convert(plist_t node)
{
    PlistNode out;
    switch (plist_get_node_type(node)) {
    case PLIST_ARRAY: {
        out.type = PlistNode::Type::array;
        out.items.reserve(plist_array_get_size(node));
        // The iterator walks the elements once; indexed access would walk them from the
        // start for every element of a binary file's array, quadratic in its length.
        plist_array_iter iterator = nullptr;
        plist_array_new_iter(node, &iterator);
        for (;;) {
            plist_t item = nullptr;
            plist_array_next_item(node, iterator, &item);
            if (!item)
                break;
            out.items.push_back(convert(item));
        }
        std::free(iterator);
        break;
    }
    case PLIST_DICT: {
        out.type = PlistNode::Type::dictionary;
        plist_dict_iter iterator = nullptr;
        plist_dict_new_iter(node, &iterator);
        for (;;) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, iterator, &key, &value);
            if (!value) {
                std::free(key);
                break;
            }
            out.keys.emplace_back(key ? key : "");
            out.items.push_back(convert(value));
            std::free(key);
        }
        std::free(iterator);
        break;
    }
    case PLIST_DATE: {
        int32_t seconds = 0, microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        out.type = PlistNode::Type::date;
        out.date =
            *instantFromReferenceSeconds(0) + std::chrono::seconds{seconds} + std::chrono::microseconds{microseconds};
        break;
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        out.type = PlistNode::Type::integer;
        out.integer = static_cast<std::int64_t>(value);
        break;
    }
    case PLIST_REAL:
        out.type = PlistNode::Type::real;
        plist_get_real_val(node, &out.real);
        break;
    default:
        break;
    }
    return out;
}

} // namespace

const PlistNode* PlistNode::find(std::string_view key) const
{
    if (type != Type::dictionary)
        return nullptr;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key)
            return &items[i];
    return nullptr;
}

std::optional<std::int64_t> PlistNode::number() const
{
    if (type == Type::integer)
        return integer;
    // Doubles from -2^63 up to (not including) 2^63 truncate into range.
    if (type == Type::real && std::isfinite(real) && real >= -9223372036854775808.0 && real < 9223372036854775808.0)
        return static_cast<std::int64_t>(std::trunc(real));
    return std::nullopt;
}

std::optional<PlistNode> readPropertyList(std::string_view data, const PlistLimits& limits)
{
    if (data.empty() || data.size() > limits.maxBytes)
        return std::nullopt;
    const auto length = static_cast<uint32_t>(data.size());
    if (plist_is_binary(data.data(), length)) {
        if (!data.starts_with("bplist00") || !BinaryGuard(data, limits).acceptable())
            return std::nullopt;
    } else if (!xmlWithinLimits(data, limits.maxDepth)) {
        return std::nullopt;
    }
    plist_t root = nullptr;
    plist_from_memory(data.data(), length, &root);
    if (!root)
        return std::nullopt;
    const std::unique_ptr<void, PlistFree> owner(root);
    return convert(root);
}

} // namespace brindle
