#pragma once

#include <string>

#include "answer.h"
#include "data_set.h"
#include "request_target.h"

namespace site {

struct MakerSettings {
    int port = 18080;
    std::string announce_version = "1.4.22";
    int news_interval_seconds = 30;
};

// ostrel.localhost: /config.css (news interval and newest version as style rules),
// /news.html (after "最近更新", one anchor per item, nothing else with href=" or \">),
// /news/{n}.html (the articles those anchors point at) and /download.html.
Answer MakerPage(const DataSet& data, const MakerSettings& settings, const RequestTarget& target);

}  // namespace site
