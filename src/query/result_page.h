#pragma once

#include <functional>
#include <mutex>
#include <string>

// The result page file: every answer is shown by writing its fragment to one file and having
// the result view navigate to it.
namespace query {

// The temporary directory ("temp", found as Windows finds it) + "/tmp.html".
std::string ResultPagePath();

class ResultPage {
public:
    // Makes the result view show the file at the path it is given.
    using Navigator = std::function<void(const std::string& path)>;

    explicit ResultPage(std::string path = ResultPagePath());

    // The result window hands in its view here; until then pages are written, not shown.
    void SetNavigator(Navigator navigator);

    // Writes the fragment's bytes as the whole file (atomically: a reader never sees half a
    // page) and navigates to it. One page's write and navigation never interleave with
    // another's. The navigator runs with the page lock held, so it must not wait for a
    // thread that may be calling Show itself: workers hand Show to the window thread.
    void Show(const std::string& fragment);

    const std::string& path() const { return path_; }

private:
    std::mutex mutex_;
    std::string path_;
    Navigator navigator_;
};

}  // namespace query
