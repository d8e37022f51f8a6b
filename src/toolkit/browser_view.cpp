#include "toolkit/browser_view.h"

#include <QWidget>

#include <QTextBrowser>
#include <QUrl>

#include "platform/files.h"
#include "toolkit/gbk_text.h"
#include "toolkit/window_thread.h"

namespace toolkit {
namespace {

constexpr int kProgressMaximum = 10000;

class LocalOnlyBrowser : public QTextBrowser {
public:
    explicit LocalOnlyBrowser(QWidget* parent) : QTextBrowser(parent) {
        setOpenLinks(false);
        setOpenExternalLinks(false);
    }

protected:
    // Nothing a page names is ever fetched, remote or local.
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

}  // namespace

BrowserView::BrowserView(QWidget* parent) : Control(new LocalOnlyBrowser(parent)) {
    view_ = static_cast<QTextBrowser*>(widget());
    QObject::connect(view_, &QTextBrowser::anchorClicked, view_, [this](const QUrl& link) {
        if (on_before_navigate) on_before_navigate(ToGbk(PageUrl().resolved(link).toString()));
        // A link is never loaded here: whoever handles before-navigate shows what it leads to.
    });
    QObject::connect(view_, &QTextBrowser::highlighted, view_, [this](const QUrl& link) {
        link_reported_ = !link.isEmpty();
        if (!on_status_text) return;
        on_status_text(link.isEmpty() ? std::string()
                                      : ToGbk(PageUrl().resolved(link).toString()));
    });
}

QUrl BrowserView::PageUrl() const { return QUrl::fromLocalFile(FromGbk(current_path_)); }

void BrowserView::Navigate(const std::string& path) {
    RunOnWindowThread([&] {
        if (on_before_navigate && !on_before_navigate(path)) return;
        if (on_progress) on_progress(0, kProgressMaximum);
        const std::string page = platform::ReadWholeFile(path).value_or(std::string());
        current_path_ = path;
        view_->document()->setBaseUrl(PageUrl());
        view_->setHtml(FromGbk(page));
        // The link under the mouse went with the old page; the mouse may not move again.
        if (link_reported_) {
            link_reported_ = false;
            if (on_status_text) on_status_text(std::string());
        }
        if (on_progress) on_progress(kProgressMaximum, kProgressMaximum);
    });
}

void BrowserView::FollowLink(const std::string& href) {
    RunOnWindowThread([&] { emit view_->anchorClicked(QUrl(FromGbk(href))); });
}

std::string BrowserView::PlainText() const {
    return CallOnWindowThread([&] { return ToGbk(view_->toPlainText()); });
}

std::string BrowserView::CurrentPath() const {
    return CallOnWindowThread([&] { return current_path_; });
}

}  // namespace toolkit
