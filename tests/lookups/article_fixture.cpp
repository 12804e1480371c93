// tests/lookups/article_fixture.cpp
#include "tests/lookups/article_fixture.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace gavrel::testing {
namespace {

constexpr std::string_view kBodySlot = "<!--article-body-->\n";

// Sentences of an invented essay about an old street; mixed lengths, some
// punctuation, some ASCII, as article bodies have.
constexpr std::array<std::string_view, 16> kSentences = {
    "巷子里的青石板被雨水洗得发亮，脚步声一直传到尽头。",
    "卖豆花的阿婆每天七点准时出摊，木桶上盖着一块白布。",
    "我们在二楼的窗边坐了一下午，看对面的裁缝铺收衣服。",
    "那年冬天特别冷，炉子上的水壶总是咕嘟咕嘟响个不停。",
    "他说这家店的招牌是1986年请人写的，字到现在还清楚。",
    "街角的修表匠眯着眼睛，一只手拿镊子，一只手扶着放大镜。",
    "傍晚的时候，整条街都是炒菜的香味。",
    "书架最上层放着几本旧杂志，封面已经泛黄了。",
    "如果你也路过这里，不妨停下来喝一碗热汤。",
    "邮局门口的绿色邮筒，据说比这条街上的任何一家店都老。",
    "孩子们放学后在巷口跳皮筋，笑声能飘出很远。",
    "老板娘把算盘拨得噼啪响，账本上一笔一笔写得很工整。",
    "春天来了，墙头的蔷薇开得一簇一簇的。",
    "有人在楼下弹吉他，弹的是一首很老的歌。",
    "下过雨的黄昏，天边会有一道很淡的彩虹。",
    "我们约好明年再来，到时候面馆应该还在。",
};

void AppendParagraph(std::string& out, std::minstd_rand& pick, unsigned number) {
  if (number % 12 == 11) {
    char image[256];
    std::snprintf(image, sizeof image,
                  "            <p style=\"text-align: center;\"><img class=\"rich_pages\" "
                  "data-ratio=\"0.75\" data-src=\"http://mmbiz.qpic.cn/mmbiz_jpg/"
                  "QiNgLiUzAhUoPu%010u/640?wx_fmt=jpeg\" data-type=\"jpeg\" "
                  "data-w=\"1080\"></p>\n",
                  number);
    out += image;
    return;
  }
  if (number % 7 == 6) {
    out += "            <h2 style=\"font-size: 17px;\"><strong>";
    out += kSentences[pick() % kSentences.size()];
    out += "</strong></h2>\n";
  }
  out += "            <p style=\"line-height: 1.75em;\"><span style=\"font-size: 15px;\">";
  const unsigned sentences = 3 + pick() % 4;
  for (unsigned i = 0; i < sentences; ++i) out += kSentences[pick() % kSentences.size()];
  out += "</span></p>\n";
}

}  // namespace

std::string ReadLookupFixture(std::string_view name) {
  std::ifstream in(std::string(GAVREL_LOOKUPS_DATA_DIR) + "/" + std::string(name),
                   std::ios::binary);
  if (!in) return {};
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string GrownArticlePage(std::size_t atLeastBytes) {
  const std::string page = ReadLookupFixture("article_page.html");
  const std::size_t slot = page.find(kBodySlot);
  if (slot == std::string::npos) return page;
  std::string body;
  std::minstd_rand pick(20200421);
  for (unsigned number = 0; page.size() + body.size() < atLeastBytes; ++number) {
    AppendParagraph(body, pick, number);
  }
  std::string grown;
  grown.reserve(page.size() + body.size());
  grown.append(page, 0, slot);
  grown += body;
  grown.append(page, slot + kBodySlot.size());
  return grown;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  if (from.empty()) return text;
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace gavrel::testing
