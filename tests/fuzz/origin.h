// For the fuzz targets: where an address leads, read apart from the program's checks as
// RFC 3986 reads an authority: scheme and host in lower case (an IPv6 literal with its
// brackets) and the port, empty for the scheme's default.
#pragma once

#include <optional>
#include <string>
#include <tuple>

namespace fuzz {

using Origin = std::tuple<std::string, std::string, std::string>;

inline std::optional<Origin> ReadOrigin(std::string url) {
    for (char& c : url) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    const size_t colon = url.find("://");
    if (colon == std::string::npos) return std::nullopt;
    std::string authority = url.substr(colon + 3, url.find_first_of("/?#", colon + 3) - colon - 3);
    authority.erase(0, authority.rfind('@') + 1);  // user information (npos + 1 is 0)
    const size_t port = authority.find(':', authority.starts_with('[') ? authority.find(']') : 0);
    std::string scheme = url.substr(0, colon), number = port == std::string::npos ? "" : authority.substr(port + 1);
    if (number == (scheme == "https" ? "443" : "80")) number.clear();
    return Origin{scheme, authority.substr(0, port), number};
}

}  // namespace fuzz
