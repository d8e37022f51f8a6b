#pragma once

#include <map>

#include "catalogue/city_record.h"

namespace toolkit {
class EditBox;
class PickList;
class StatusBar;
}  // namespace toolkit

namespace query {

// The main window's lists and boxes the pickers work on, by their layout names.
struct PickerControls {
    toolkit::PickList& 组合框1;  // start stop categories
    toolkit::PickList& 组合框2;  // start stop names
    toolkit::PickList& 组合框3;  // end stop categories
    toolkit::PickList& 组合框4;  // end stop names
    toolkit::PickList& 组合框5;  // line categories
    toolkit::PickList& 组合框6;  // line names
    toolkit::PickList& 组合框7;  // stop categories
    toolkit::PickList& 组合框8;  // stop names
    toolkit::EditBox& 编辑框1;
    toolkit::EditBox& 编辑框2;
    toolkit::EditBox& 编辑框3;
    toolkit::EditBox& 编辑框4;
    toolkit::StatusBar& 状态条1;
};

// Picking a category asks the site for its names and fills the name list beside it; picking a
// name puts it into the page's box.
//
// The window keeps handling events while an answer is awaited, so the user may pick again
// before it comes. The newest pick for a name list wins: an answer that arrives after a newer
// request for the same list has started is dropped.
class CategoryPickers {
public:
    CategoryPickers(const PickerControls& controls, catalogue::CurrentCity& city);

    // Binds the handlers to the eight lists' entry-chosen events.
    void Bind();

    void PickStopCategory(toolkit::PickList& categories, toolkit::PickList& names,
                          const char* names_prompt);
    void PickLineCategory();
    void PickName(toolkit::PickList& names, const char* prompt, toolkit::EditBox& box,
                  const char* hint);

private:
    // Fetches the category's names; gives false when a newer request for `names` started
    // while this one waited.
    bool FetchNames(const std::string& category_path, const toolkit::PickList& names,
                    std::string& body);
    void ReportPieces(std::size_t pieces);

    PickerControls c_;
    catalogue::CurrentCity& city_;
    std::map<const toolkit::PickList*, int> generations_;
};

}  // namespace query
