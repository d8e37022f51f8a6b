#pragma once

namespace query {

// The grey hints the four query boxes show until a name is put in.
inline constexpr const char* kStartStopHint = "请输入起点(如:永定门)";
inline constexpr const char* kEndStopHint = "请输入终点(如:奥体中心)";
inline constexpr const char* kLineHint = "请输入线路(如:11路)";
inline constexpr const char* kStopHint = "请输入站点(如:天安门)";

}  // namespace query
