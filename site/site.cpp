#include "site.h"

#include "catalogue_pages.h"
#include "city_pages.h"
#include "request_target.h"

namespace site {

namespace {
constexpr std::string_view kBusHost = "bus.localhost";
constexpr std::string_view kCitySuffix = ".bus.localhost";
constexpr std::string_view kMakerHost = "ostrel.localhost";
}  // namespace

Answer Site::BusSite(const std::string& path) const {
    if (path == "/cities.html" || path == "/") return CataloguePage(data_, settings_.port);
    constexpr std::string_view prefix = "/js/city";
    constexpr std::string_view suffix = ".js";
    if (path.size() > prefix.size() + suffix.size() && path.rfind(prefix, 0) == 0 &&
        path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0) {
        std::string digits = path.substr(prefix.size(), path.size() - prefix.size() - suffix.size());
        if (digits.size() <= 6 && digits[0] != '0' && digits.find_first_not_of("0123456789") == std::string::npos)
            return CityScript(data_, std::stoul(digits), settings_.port);
    }
    return NotFound();
}

Answer Site::Respond(std::string_view host_header, std::string_view raw_target) const {
    std::string host = HostNameOf(host_header);
    RequestTarget target = ParseTarget(raw_target);
    if (host == kBusHost) return BusSite(target.path);
    if (host == kMakerHost) return MakerPage(data_, settings_, target);
    if (host.size() > kCitySuffix.size() && host.compare(host.size() - kCitySuffix.size(), kCitySuffix.size(), kCitySuffix) == 0) {
        if (const City* city = data_.FindCityByLabel(host.substr(0, host.size() - kCitySuffix.size())))
            return CityPage(*city, target, settings_.port);
    }
    return NotFound();
}

}  // namespace site
