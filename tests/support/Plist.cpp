#include "tests/support/Plist.h"

#include <cmath>

namespace brindle::test {

P P::date(Instant instant)
{
    const double seconds = secondsSinceReferenceDate(instant);
    const double whole = std::floor(seconds);
    return {plist_new_date(static_cast<int32_t>(whole), static_cast<int32_t>(std::lround((seconds - whole) * 1e6)))};
}
P P::integer(std::uint64_t value) { return {plist_new_uint(value)}; }
P P::real(double value) { return {plist_new_real(value)}; }
P P::text(const char* value) { return {plist_new_string(value)}; }

P P::array(std::vector<P> items)
{
    plist_t array = plist_new_array();
    for (const P& item : items)
        plist_array_append_item(array, item.node);
    return {array};
}

P P::dict(std::vector<std::pair<const char*, P>> entries)
{
    plist_t dict = plist_new_dict();
    for (const auto& [key, value] : entries)
        plist_dict_set_item(dict, key, value.node);
    return {dict};
}

std::string serialise(P root, Encoding encoding)
{
    char* bytes = nullptr;
    uint32_t length = 0;
    if (encoding == Encoding::xml)
        plist_to_xml(root.node, &bytes, &length);
    else
        plist_to_bin(root.node, &bytes, &length);
    std::string out(bytes, length);
    std::free(bytes);
    plist_free(root.node);
    return out;
}

} // namespace brindle::test
