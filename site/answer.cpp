#include "answer.h"

#include "text_util.h"

namespace site {

std::string HtmlDocument(const std::string& title, const std::string& body_html, const std::string& head_extra) {
    return "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">\r\n"
           "<title>" + HtmlEscape(title) + "</title>\r\n" + head_extra + "</head>\r\n<body>\r\n" + body_html +
           "</body>\r\n</html>\r\n";
}

Answer NotFound() {
    Answer answer;
    answer.status = 404;
    answer.body = HtmlDocument("404 页面不存在", "<h2>404 页面不存在</h2>\r\n<p>您要找的页面不存在。</p>\r\n");
    return answer;
}

Answer ErrorPage(int status) {
    if (status == 404) return NotFound();
    Answer answer;
    answer.status = status;
    std::string code = std::to_string(status);
    answer.body = HtmlDocument(code + " 请求无效", "<h2>" + code + " 请求无效</h2>\r\n<p>服务器无法处理这个请求。</p>\r\n");
    return answer;
}

}  // namespace site
