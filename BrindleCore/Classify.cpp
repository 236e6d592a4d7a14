#include "BrindleCore/Classify.h"

#include <array>
#include <initializer_list>
#include <utility>

namespace brindle::Classify {

Place place(const ICloudFacts& facts)
{
    if (!facts.isUbiquitous)
        return facts.dataless ? Place::onlyICloud : Place::onlyHere;
    if (!*facts.isUbiquitous)
        return Place::onlyHere;
    if (facts.downloading == DownloadingStatus::notDownloaded || facts.dataless)
        return Place::onlyICloud;
    if (facts.isUploaded == true)
        return Place::both;
    if (facts.isUploading == true || facts.isUploaded == false)
        return Place::waiting;
    return Place::unknown;
}

const std::unordered_map<std::string, Kind>& byExtension()
{
    static const std::unordered_map<std::string, Kind> table = [] {
        std::unordered_map<std::string, Kind> map;
        // Each list lives for its own call, so nothing here outlives its storage.
        const auto add = [&map](Kind kind, std::initializer_list<const char*> extensions) {
            for (const char* extension : extensions)
                map.emplace(extension, kind);
        };
        add(Kind::pictures, {"jpg", "jpeg", "png", "heic", "heif", "gif", "tif", "tiff", "webp", "raw", "dng", "cr2",
                             "nef", "arw", "psd", "svg", "bmp"});
        add(Kind::videos, {"mp4", "mov", "m4v", "avi", "mkv", "webm", "mts"});
        add(Kind::documents, {"pdf", "pages", "numbers", "key", "doc", "docx", "xls", "xlsx", "ppt", "pptx", "txt",
                              "rtf", "md", "csv", "tsv", "odt", "html", "epub"});
        add(Kind::audio, {"mp3", "m4a", "wav", "aiff", "aif", "flac", "aac", "caf", "logicx", "band"});
        add(Kind::archives, {"zip", "dmg", "pkg", "tar", "gz", "tgz", "7z", "rar", "xz", "iso"});
        return map;
    }();
    return table;
}

std::string_view extension(std::string_view nameOrPath)
{
    const auto slash = nameOrPath.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? nameOrPath : nameOrPath.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    return name.substr(dot + 1);
}

std::string_view lowerExtension(std::string_view nameOrPath, ExtensionBuffer& buffer)
{
    const std::string_view ext = extension(nameOrPath);
    if (ext.size() > buffer.size())
        return {};
    for (std::size_t i = 0; i < ext.size(); ++i) {
        const char c = ext[i];
        buffer[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return {buffer.data(), ext.size()};
}

Kind kindOf(std::string_view nameOrPath)
{
    ExtensionBuffer buffer;
    const std::string_view lower = lowerExtension(nameOrPath, buffer);
    // No known extension is longer than eight letters, so a longer one is not looked up; a key
    // this short fits the string's own buffer, so the lookup does not allocate.
    if (lower.empty() || lower.size() > 8)
        return Kind::other;
    const auto& table = byExtension();
    const auto it = table.find(std::string(lower));
    return it == table.end() ? Kind::other : it->second;
}

} // namespace brindle::Classify
