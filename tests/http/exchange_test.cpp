// The exchange against a real server on 127.0.0.1.
#include <gtest/gtest.h>

#include "http/http.h"
#include "tests/support/loopback_server.h"
#include "text/codepage.h"

namespace gavrel {
namespace {

using testing::LoopbackServer;
using testing::Response;
using testing::ScopedEngineRoutes;

TEST(WebVisitExchange, PlainGetReturnsThePage) {
  LoopbackServer server;
  server.Route("/a?b=1", Response::Html("<p>hello</p>"));
  WebVisitArgs call{.url = server.Url("/a?b=1")};
  EXPECT_EQ(WebVisit(call), "<p>hello</p>");
  EXPECT_EQ(call.statusText, "200 OK");
}

TEST(WebVisitExchange, RoutedTlsAndPlain) {
  LoopbackServer plain;
  LoopbackServer tls(LoopbackServer::Options{.tls = true});
  plain.Route("/weixin?type=1", Response::Html("sogou"));
  tls.RoutePath("/s/abc", Response::Html("wechat"));
  ScopedEngineRoutes routes({{"weixin.sogou.com:80", plain}, {"mp.weixin.qq.com:443", tls}});
  EXPECT_EQ(WebVisit("http://weixin.sogou.com/weixin?type=1"), "sogou");
  EXPECT_EQ(WebVisit("https://mp.weixin.qq.com/s/abc?x=1"), "wechat");
  ASSERT_EQ(plain.RequestCount(), 1u);
  std::string raw = plain.Requests()[0].raw;
  EXPECT_EQ(raw, "GET /weixin?type=1 HTTP/1.1\r\nHost: weixin.sogou.com\r\n"
                 "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
                 "Accept: text/html, application/xhtml+xml, */*\r\n"
                 "Accept-Encoding: gbk, GB2312\r\nAccept-Language: zh-cn\r\n"
                 "Cache-Control: no-cache\r\n\r\n");
}

}  // namespace
}  // namespace gavrel
