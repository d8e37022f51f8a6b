#include "catalogue_pages.h"

#include "text_util.h"

namespace site {

Answer CataloguePage(const DataSet& data, int port) {
    std::string body;
    body += "<div id=\"top\"><h1>>Kelvane</h1></div>\r\n";
    body += "<ul><li>全国 " + std::to_string(data.cities.size()) + " 个城市的公交线路、站点与换乘查询</li>"
            "<li>请选择您所在的城市</li></ul>\r\n";
    for (const auto& province : data.provinces) {
        body += "<h1>" + province.name + "</h1>\r\n<ul>";
        for (std::size_t index : province.cities) {
            const City& city = data.cities[index];
            body += "<li><a href=http://" + city.label + ".bus.localhost:" + std::to_string(port) + "/><strong>" +
                    city.name + "</strong></a></li>";
        }
        body += "</ul>\r\n";
    }
    Answer answer;
    answer.body = HtmlDocument("全国城市公交查询", body);
    return answer;
}

std::string CityLine(const City& city, int port) {
    const Network& n = *city.network;
    return "ci(cid=" + city.cid + ",city=\"" + city.label + "\",cnct=\"" + city.name +
           "\",domain=\".bus.localhost:" + std::to_string(port) + "\",ty_stat=\"" + Join(n.StopCategories(), ",") +
           "\",ty_line=\"" + Join(n.LineCategories(), ",") + "\",lines=" + std::to_string(n.Lines().size()) + ");";
}

Answer CityScript(const DataSet& data, std::size_t j, int port) {
    if (j < 1 || j > data.cities.size()) return NotFound();
    const City& city = data.cities[j - 1];
    Answer answer;
    answer.content_type = kTextType;
    answer.body = "// 城市公交数据 " + std::to_string(j) + "/" + std::to_string(data.cities.size()) + "\r\n" +
                  "var ci_province=\"" + data.provinces[city.province].name + "\";\r\n" + CityLine(city, port) +
                  "\r\n" + "ci_loaded(" + std::to_string(j) + ");\r\n";
    return answer;
}

}  // namespace site
