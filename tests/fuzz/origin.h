// For the fuzz targets: where an address leads, read apart from the program's own
// checks, as RFC 3986 reads an authority: the scheme, the host (lower case; an IPv6
// literal with its brackets) and the port (empty when the scheme's default).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fuzz {

struct Origin {
    std::string scheme, host, port;
    bool operator==(const Origin&) const = default;
};

inline std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return out;
}

inline std::optional<Origin> ReadOrigin(std::string_view url) {
    const size_t colon = url.find("://");
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;
    Origin o{Lower(url.substr(0, colon)), {}, {}};
    std::string_view authority = url.substr(colon + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (const size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
    const size_t close = authority.starts_with('[') ? authority.find(']') : 0;
    if (close == std::string_view::npos) return std::nullopt;
    const size_t portColon = authority.find(':', close);
    o.host = Lower(authority.substr(0, portColon));
    if (portColon != std::string_view::npos) o.port = authority.substr(portColon + 1);
    if ((o.scheme == "http" && o.port == "80") || (o.scheme == "https" && o.port == "443")) o.port.clear();
    return o;
}

}  // namespace fuzz
