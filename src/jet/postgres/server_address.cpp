#include "jet/postgres/server_address.hpp"

#include <strings.h>

namespace zelt::jet::postgres {

bool isServerUri(std::string_view name) {
    for (std::string_view scheme : {std::string_view("postgresql://"), std::string_view("postgres://")})
        if (name.size() >= scheme.size() && strncasecmp(name.data(), scheme.data(), scheme.size()) == 0) return true;
    return false;
}

std::string shownUri(std::string_view uri) {
    std::string out(uri);
    // user:password@host: the password goes, the user stays.
    const size_t scheme = out.find("://");
    if (scheme != std::string::npos) {
        const size_t authorityEnd = out.find_first_of("/?", scheme + 3);
        const size_t at = out.rfind('@', authorityEnd == std::string::npos ? out.size() : authorityEnd);
        if (at != std::string::npos && at > scheme) {
            const size_t colon = out.find(':', scheme + 3);
            if (colon != std::string::npos && colon < at) out.erase(colon, at - colon);
        }
    }
    // ...?sslmode=require&password=secret: the parameter goes.
    const size_t query = out.find('?');
    if (query == std::string::npos) return out;
    std::string kept;
    std::string_view rest = std::string_view(out).substr(query + 1);
    while (!rest.empty()) {
        const size_t amp = rest.find('&');
        const std::string_view item = rest.substr(0, amp);
        rest.remove_prefix(amp == std::string_view::npos ? rest.size() : amp + 1);
        if (item.starts_with("password=") || item.empty()) continue;
        kept += kept.empty() ? "?" : "&";
        kept += item;
    }
    out.erase(query);
    out += kept;
    return out;
}

std::string withDatabase(std::string_view uri, std::string_view database) {
    const size_t authority = uri.find("://") + 3;
    const size_t path = uri.find_first_of("/?", authority);
    const size_t query = uri.find('?', authority);
    return std::string(uri.substr(0, path)) + "/" + std::string(database) +
           (query == std::string_view::npos ? "" : std::string(uri.substr(query)));
}

}  // namespace zelt::jet::postgres
