// app/project_links.h
//
// The project's own contact details and outside addresses, kept together so
// that the day the project has a real site they change in this one place.
// Until then every address lies under the reserved example domain
// gavrel.example, and the messenger number is 00000, which no account can
// have (messenger numbers start at 10000), so nothing here points at a real
// person or at somebody else's site.
// Example: WindowCaption() == "Gavrel 4.0 QQ:00000 https://gavrel.example/"
#pragma once

#include <string>

namespace gavrel {

inline constexpr char kMessengerNumber[] = "00000";
inline constexpr char kProjectSite[] = "https://gavrel.example/";

// The caption: the program's name and version, a blank, the contact details.
[[nodiscard]] inline std::string WindowCaption() {
  return std::string("Gavrel 4.0 QQ:") + kMessengerNumber + " " + kProjectSite;
}

// 超级按钮3 "检查更新": the update page of this program.
inline constexpr char kUpdatePageAddress[] = "https://gavrel.example/update/";

// 超级按钮1: a chat in the messenger client, keys uin, Site and Menu in order.
inline constexpr char kChatAddress[] =
    "tencent://message/?uin=00000&Site=https://gavrel.example/&Menu=yes";

// 超级按钮2: the press-release service, its caption and tooltip.
inline constexpr char kPressSiteAddress[] = "http://press.gavrel.example/";
inline constexpr char kPressButtonCaption[] = "新闻稿发布";
inline constexpr char kPressButtonTooltip[] = "新闻稿代写与发布服务，一次投递多家媒体";

// The example article address at the end of the first query box's hint. It
// shows the form of an article link; the path is a run of placeholder
// letters, not an article.
inline constexpr char kExampleArticleAddress[] =
    "https://mp.weixin.qq.com/s/XXXXXXXXXXXXXXXXXXXXXX";

}  // namespace gavrel
