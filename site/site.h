#pragma once

#include <string_view>

#include "answer.h"
#include "data_set.h"
#include "maker_pages.h"

namespace site {

// Both sites behind one entry point: the Host header chooses the site, the target the page.
//   bus.localhost           catalogue page and city scripts
//   {label}.bus.localhost   a city's pages
//   ostrel.localhost        the maker's pages
class Site {
public:
    Site(const DataSet& data, MakerSettings settings) : data_(data), settings_(std::move(settings)) {}

    Answer Respond(std::string_view host_header, std::string_view raw_target) const;

    const DataSet& data() const { return data_; }
    int port() const { return settings_.port; }

private:
    Answer BusSite(const std::string& path) const;

    const DataSet& data_;
    MakerSettings settings_;
};

}  // namespace site
