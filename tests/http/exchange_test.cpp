// The exchange against real servers on 127.0.0.1, plain and TLS: the bytes
// on the wire, the outputs, the failures and their messages, the time-outs,
// redirects, cookies and the pump points.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "http/http.h"
#include "http/pump.h"
#include "tests/support/loopback_server.h"
#include "tests/support/tunnel_proxy.h"
#include "text/codepage.h"
#include "text/primitives.h"

namespace gavrel {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using testing::HostRoute;
using testing::LoopbackServer;
using testing::Request;
using testing::Response;
using testing::ScopedEngineRoutes;

const std::string kDefaultBlock =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
    "Accept: text/html, application/xhtml+xml, */*\r\n"
    "Accept-Encoding: gbk, GB2312\r\n"
    "Accept-Language: zh-cn\r\n"
    "Cache-Control: no-cache\r\n";

Text Message(EngineFailure f) { return EngineMessage(f); }

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Restores the message and wait pumps of the process after a test.
class ScopedPumps {
 public:
  ScopedPumps(MessagePump message, MessagePump wait)
      : message_(SetMessagePump(std::move(message))), wait_(SetWaitPump(std::move(wait))) {}
  ~ScopedPumps() {
    SetMessagePump(std::move(message_));
    SetWaitPump(std::move(wait_));
  }

 private:
  MessagePump message_, wait_;
};

// ---------------------------------------------------------------------------
// On the wire

TEST(WebVisitWire, DefaultGetOfTheToolsAddresses) {
  LoopbackServer plain;
  LoopbackServer tls(LoopbackServer::Options{.tls = true});
  plain.Route("/weixin?type=1&query=a", Response::Html("sogou"));
  tls.RoutePath("/s/abc", Response::Html("wechat"));
  ScopedEngineRoutes routes({{"weixin.sogou.com:80", plain}, {"mp.weixin.qq.com:443", tls}});

  EXPECT_EQ(WebVisit("http://weixin.sogou.com/weixin?type=1&query=a"), "sogou");
  EXPECT_EQ(WebVisit("https://mp.weixin.qq.com/s/abc?x=1#frag"), "wechat");

  ASSERT_EQ(plain.RequestCount(), 1u);
  EXPECT_EQ(plain.Requests()[0].raw, "GET /weixin?type=1&query=a HTTP/1.1\r\n"
                                     "Host: weixin.sogou.com\r\n" +
                                         kDefaultBlock + "\r\n");
  ASSERT_EQ(tls.RequestCount(), 1u);
  // The fragment stays with the client, as HTTP wants.
  EXPECT_EQ(tls.Requests()[0].raw, "GET /s/abc?x=1 HTTP/1.1\r\n"
                                   "Host: mp.weixin.qq.com\r\n" +
                                       kDefaultBlock + "\r\n");
}

TEST(WebVisitWire, RequestTargetOfTheAddress) {
  LoopbackServer plain;
  plain.SetFallback([](const Request&) { return Response::Html("ok"); });
  ScopedEngineRoutes routes({{"weixin.sogou.com:80", plain}});
  struct Case {
    Text url;
    std::string wantTarget, wantHost;
  };
  const Case cases[] = {
      {"http://weixin.sogou.com", "/", "weixin.sogou.com"},
      {"http://weixin.sogou.com/", "/", "weixin.sogou.com"},
      {"http://weixin.sogou.com:80/s", "/s", "weixin.sogou.com"},
      {"http://weixin.sogou.com/a/b?x=1&y=2#frag", "/a/b?x=1&y=2", "weixin.sogou.com"},
      // A query straight after the host keeps its place behind "/".
      {"http://weixin.sogou.com?q=1", "/?q=1", "weixin.sogou.com"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    plain.ClearRequests();
    WebVisitArgs call{.url = c.url, .timeoutSeconds = 2};
    EXPECT_EQ(WebVisit(call), "ok");
    ASSERT_EQ(plain.RequestCount(), 1u);
    EXPECT_EQ(plain.Requests()[0].target, c.wantTarget);
    EXPECT_EQ(plain.Requests()[0].Header("Host"), c.wantHost);
  }
}

TEST(WebVisitWire, MethodsAndBodies) {
  LoopbackServer server;
  server.SetFallback([](const Request&) { return Response::Html("ok"); });
  const std::string host = "Host: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n";
  const std::string form = "Content-Type: application/x-www-form-urlencoded\r\n";
  struct Case {
    const char* name;
    int method;
    Text postText;
    Bytes postBytes;
    std::string wantLine, wantBody;
    bool wantLength;
    bool postBlock;
  };
  const Case cases[] = {
      {"GET without body", 0, "", {}, "GET /p HTTP/1.1", "", false, false},
      {"GET carries postText", 0, "q=1", {}, "GET /p HTTP/1.1", "q=1", true, false},
      {"POST with form default", 1, "a=1&b=2", {}, "POST /p HTTP/1.1", "a=1&b=2", true, true},
      {"POST without body states length 0", 1, "", {}, "POST /p HTTP/1.1", "", true, true},
      {"postBytes win, zero byte included", 1, "ignored", B(std::string("x\0y", 3)),
       "POST /p HTTP/1.1", std::string("x\0y", 3), true, true},
      {"PUT", 3, "v", {}, "PUT /p HTTP/1.1", "v", true, false},
      {"OPTIONS", 4, "", {}, "OPTIONS /p HTTP/1.1", "", false, false},
      {"DELETE with body", 5, "d", {}, "DELETE /p HTTP/1.1", "d", true, false},
      {"TRACE", 6, "", {}, "TRACE /p HTTP/1.1", "", false, false},
      {"method 8 is GET", 8, "", {}, "GET /p HTTP/1.1", "", false, false},
      {"method -1 is GET", -1, "", {}, "GET /p HTTP/1.1", "", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    server.ClearRequests();
    WebVisitArgs call{.url = server.Url("/p"), .method = c.method, .postText = c.postText,
                      .postBytes = c.postBytes};
    EXPECT_EQ(WebVisit(call), "ok");
    EXPECT_EQ(call.statusText, "200 OK");
    ASSERT_EQ(server.RequestCount(), 1u);
    Request r = server.Requests()[0];
    std::string block = kDefaultBlock;
    if (c.postBlock) block.insert(block.find("Cache-Control"), form);
    std::string length =
        c.wantLength ? "Content-Length: " + std::to_string(c.wantBody.size()) + "\r\n" : "";
    EXPECT_EQ(r.raw, c.wantLine + "\r\n" + host + block + length + "\r\n" + c.wantBody);
  }
}

TEST(WebVisitWire, HeadDoesNotWaitForABody) {
  LoopbackServer server;
  server.Route("/h", Response::Html("12345"));  // Content-Length: 5, no body for HEAD
  WebVisitArgs call{.url = server.Url("/h"), .method = 2, .timeoutSeconds = 5};
  auto start = Clock::now();
  EXPECT_EQ(WebVisit(call), "");
  EXPECT_LT(SecondsSince(start), 2.5);
  EXPECT_EQ(call.statusText, "200 OK");
  EXPECT_EQ(server.Requests().at(0).method, "HEAD");
}

TEST(WebVisitWire, CallerHeadersCredentialsAndCookies) {
  LoopbackServer server;
  server.Route("/p", Response::Html("ok"));
  struct Case {
    const char* name;
    WebVisitArgs call;
    std::string wantBlock;  // after Host (and Authorization, which curl puts first)
  };
  Case cases[] = {
      {"no defaults, caller's lines as given",
       {.extraHeaders = "x-one: 1\r\nAccept: a/b", .addDefaultHeaders = false},
       "X-One: 1\r\nAccept: a/b\r\n"},
      {"no defaults at all: nothing but Host",
       {.addDefaultHeaders = false},
       ""},
      {"empty value still sent", {.extraHeaders = "X-Empty:", .addDefaultHeaders = false},
       "X-Empty:\r\n"},
      {"cookies become the Cookie line",
       {.cookies = "a=1; b=2", .addDefaultHeaders = false},
       "Cookie: a=1; b=2\r\n"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    server.ClearRequests();
    c.call.url = server.Url("/p");
    EXPECT_EQ(WebVisit(c.call), "ok");
    ASSERT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(server.Requests()[0].HeaderBlock(),
              "Host: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n" + c.wantBlock);
  }

  server.ClearRequests();
  WebVisitArgs both{.url = server.Url("/p"), .serverUser = "user", .serverPassword = "pw"};
  WebVisitArgs half{.url = server.Url("/p"), .serverUser = "user"};
  EXPECT_EQ(WebVisit(both), "ok");
  EXPECT_EQ(WebVisit(half), "ok");
  ASSERT_EQ(server.RequestCount(), 2u);
  EXPECT_EQ(server.Requests()[0].Header("Authorization"), "Basic dXNlcjpwdw==");
  EXPECT_FALSE(server.Requests()[1].HasHeader("Authorization"));
}

TEST(WebVisitWire, UserInfoInTheAddressIsNotSent) {
  LoopbackServer server;
  server.Route("/p", Response::Html("ok"));
  const std::string hostPort = "127.0.0.1:" + std::to_string(server.Port());
  struct Case {
    const char* name;
    Text url, serverUser, serverPassword;
    std::string wantAuthorization;  // "" for none
  };
  const Case cases[] = {
      {"user and password", "http://u:pw@" + hostPort + "/p", "", "", ""},
      {"user alone", "http://u@" + hostPort + "/p", "", "", ""},
      {"password alone", "http://:pw@" + hostPort + "/p", "", "", ""},
      {"the caller's pair is the only one used", "http://u:pw@" + hostPort + "/p", "user", "pw",
       "Basic dXNlcjpwdw=="},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    server.ClearRequests();
    WebVisitArgs call{.url = c.url, .serverUser = c.serverUser, .serverPassword = c.serverPassword};
    EXPECT_EQ(WebVisit(call), "ok");
    ASSERT_EQ(server.RequestCount(), 1u);
    const Request r = server.Requests()[0];
    EXPECT_EQ(r.target, "/p");
    EXPECT_EQ(r.Header("Host"), hostPort);
    EXPECT_EQ(r.HasHeader("Authorization"), !c.wantAuthorization.empty());
    EXPECT_EQ(r.Header("Authorization"), c.wantAuthorization);
  }
}

TEST(WebVisitWire, HeaderLinesThatWouldSplitTheRequestAreRefused) {
  LoopbackServer server;
  const Text bad[] = {"X-A: 1\nInjected: 2", "X-A: 1\rInjected: 2", "no colon here"};
  for (const Text& extra : bad) {
    SCOPED_TRACE(extra);
    WebVisitArgs call{.url = server.Url("/"), .extraHeaders = extra, .normalizeHeaderCase = false};
    EXPECT_EQ(WebVisit(call), "");
    EXPECT_EQ(call.statusText, Message(EngineFailure::kHeaders));
  }
  EXPECT_EQ(server.ConnectionCount(), 0u);
}

TEST(WebVisitWire, ThroughAProxyWithCredentials) {
  LoopbackServer proxy;
  proxy.SetFallback([](const Request&) { return Response::Html("via proxy"); });
  WebVisitArgs call{.url = "http://weixin.sogou.com/weixin?type=1",
                    .proxy = "127.0.0.1:" + std::to_string(proxy.Port()),
                    .proxyUser = "pu",
                    .proxyPassword = "pp",
                    .timeoutSeconds = 2};
  EXPECT_EQ(WebVisit(call), "via proxy");
  ASSERT_EQ(proxy.RequestCount(), 1u);
  EXPECT_EQ(proxy.Requests()[0].raw,
            "GET http://weixin.sogou.com/weixin?type=1 HTTP/1.1\r\nHost: weixin.sogou.com\r\n"
            "Proxy-Authorization: Basic cHU6cHA=\r\n" +
                kDefaultBlock + "\r\n");

  // For https the proxy is asked for a tunnel, with nothing curl would add.
  proxy.ClearRequests();
  WebVisitArgs secure{.url = "https://mp.weixin.qq.com/s",
                      .proxy = "127.0.0.1:" + std::to_string(proxy.Port()),
                      .timeoutSeconds = 2};
  EXPECT_EQ(WebVisit(secure), "");  // this proxy answers instead of tunnelling
  EXPECT_EQ(secure.statusText, Message(EngineFailure::kSend));
  ASSERT_EQ(proxy.RequestCount(), 1u);
  EXPECT_EQ(proxy.Requests()[0].raw,
            "CONNECT mp.weixin.qq.com:443 HTTP/1.1\r\nHost: mp.weixin.qq.com:443\r\n\r\n");
}

TEST(WebVisitWire, TunnelRefusedByTheProxyIsASendFailure) {
  for (int code : {403, 407, 502}) {
    SCOPED_TRACE(code);
    LoopbackServer proxy;
    proxy.SetFallback([code](const Request&) {
      Response r;
      r.status = code;
      r.reason = "Refused";
      r.body = "no tunnel";
      return r;
    });
    WebVisitArgs call{.url = "https://mp.weixin.qq.com/s",
                      .proxy = "127.0.0.1:" + std::to_string(proxy.Port()),
                      .timeoutSeconds = 2};
    call.responseHeaders = "kept";
    EXPECT_EQ(WebVisit(call), "");
    EXPECT_EQ(call.statusText, Message(EngineFailure::kSend));
    EXPECT_EQ(call.responseHeaders, "kept");
    ASSERT_EQ(proxy.RequestCount(), 1u);
    EXPECT_EQ(proxy.Requests()[0].method, "CONNECT");
  }
}

TEST(WebVisitWire, ThroughATunnelOnlyTheServersAnswerCounts) {
  LoopbackServer tls(LoopbackServer::Options{.tls = true});
  tls.Route("/page", Response::Html("secure page"));
  Response silent;
  silent.neverAnswer = true;
  tls.Route("/silent", silent);
  ScopedEngineRoutes trust({}, tls.CaPem());
  struct Case {
    const char* path;
    Text wantPage, wantStatus, wantHeaders;
    double minSeconds;
  };
  const Case cases[] = {
      {"/page", "secure page", "200 OK",
       "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 11\r\n"
       "Connection: close\r\n\r\n",
       0},
      // The proxy's "200 Connection established" is no answer of the server.
      {"/silent", "", Message(EngineFailure::kNoAnswer), "kept", 0.9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    testing::TunnelProxy proxy(tls.Port());
    WebVisitArgs call{.url = std::string("https://mp.weixin.qq.com") + c.path,
                      .proxy = "127.0.0.1:" + std::to_string(proxy.Port()),
                      .timeoutSeconds = 1};
    call.responseHeaders = "kept";
    auto start = Clock::now();
    EXPECT_EQ(WebVisit(call), c.wantPage);
    double took = SecondsSince(start);
    EXPECT_EQ(call.statusText, c.wantStatus);
    EXPECT_EQ(call.responseHeaders, c.wantHeaders);
    EXPECT_EQ(proxy.TunnelCount(), 1);
    EXPECT_GE(took, c.minSeconds);
    EXPECT_LE(took, 2.5);
  }
}

// ---------------------------------------------------------------------------
// Outputs

TEST(WebVisitOutputs, RawHeadersStatusAndBody) {
  LoopbackServer server;
  Response page = Response::Html(std::string("ab\0cd", 5));
  page.headers.push_back("X-Test: 1");
  server.Route("/z", page);
  WebVisitArgs call{.url = server.Url("/z")};
  EXPECT_EQ(WebVisit(call), "ab");
  EXPECT_EQ(call.responseBytes, B(std::string("ab\0cd", 5)));
  EXPECT_EQ(call.statusText, "200 OK");
  EXPECT_EQ(call.responseHeaders,
            "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nX-Test: 1\r\n"
            "Content-Length: 5\r\nConnection: close\r\n\r\n");
}

TEST(WebVisitOutputs, ExactAnswersOnTheWire) {
  struct Case {
    const char* name;
    std::string raw;
    Text status, headers, page;
  };
  const Case cases[] = {
      {"bare line feeds become CRLF", "HTTP/1.1 200 OK\nContent-Length: 2\n\nok", "200 OK",
       "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n", "ok"},
      {"an interim 100 answer is not the final one",
       "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 201 Created\r\nContent-Length: 2\r\n\r\nok",
       "201 Created", "HTTP/1.1 201 Created\r\nContent-Length: 2\r\n\r\n", "ok"},
      {"HTTP/1.0 with a body ended by the close", "HTTP/1.0 200 OK\r\nX: y\r\n\r\nall of it",
       "200 OK", "HTTP/1.0 200 OK\r\nX: y\r\n\r\n", "all of it"},
      {"no reason phrase", "HTTP/1.1 204\r\n\r\n", "204", "HTTP/1.1 204\r\n\r\n", ""},
  };
  LoopbackServer server;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    server.Route("/raw", Response::Raw(c.raw));
    WebVisitArgs call{.url = server.Url("/raw"), .timeoutSeconds = 5};
    EXPECT_EQ(WebVisit(call), c.page);
    EXPECT_EQ(call.statusText, c.status);
    EXPECT_EQ(call.responseHeaders, c.headers);
  }
}

TEST(WebVisitOutputs, StatusIsNeverAFailure) {
  LoopbackServer server;  // unknown targets: 404 with a body
  Response teapot;
  teapot.status = 500;
  teapot.reason = "Internal Server Error";
  teapot.body = "oops";
  server.Route("/500", teapot);
  WebVisitArgs missing{.url = server.Url("/nothing")};
  EXPECT_EQ(WebVisit(missing), "not found");
  EXPECT_EQ(missing.statusText, "404 Not Found");
  WebVisitArgs broken{.url = server.Url("/500")};
  EXPECT_EQ(WebVisit(broken), "oops");
  EXPECT_EQ(broken.statusText, "500 Internal Server Error");
}

TEST(WebVisitOutputs, ChunkedBodyWithTrailer) {
  LoopbackServer server;
  std::string body(100000, 'x');
  body += "end";
  Response r = Response::Html(body);
  r.chunked = true;
  r.chunkSize = 777;
  server.Route("/c", r);
  WebVisitArgs call{.url = server.Url("/c")};
  EXPECT_EQ(WebVisit(call), body);
  EXPECT_EQ(FindText(call.responseHeaders, "Transfer-Encoding: chunked\r\n"), 43);

  // Trailer lines behind the last chunk are no part of the header block:
  // neither in responseHeaders nor harvested.
  server.Route("/t", Response::Raw("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                   "5\r\nhello\r\n0\r\nX-Trailer: t\r\nSet-Cookie: late=1\r\n"
                                   "Location: /late\r\n\r\n"));
  WebVisitArgs trailer{.url = server.Url("/t"), .timeoutSeconds = 5};
  trailer.location = "kept";
  EXPECT_EQ(WebVisit(trailer), "hello");
  EXPECT_EQ(trailer.statusText, "200 OK");
  EXPECT_EQ(trailer.responseHeaders, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
  EXPECT_EQ(trailer.receivedCookies, "");
  EXPECT_EQ(trailer.location, "kept");
}

TEST(WebVisitOutputs, PageDecodedByItsCharset) {
  LoopbackServer server;
  server.Route("/u", Response::Html("<meta charset=\"utf-8\"><p>\xE4\xB8\xAD\xE6\x96\x87</p>"));
  server.Route("/g", Response::Html("<meta charset=gbk><p>\xD6\xD0\xCE\xC4</p>"));
  server.Route("/x", Response::Html("<meta charset=x-unknown><p>\xD6\xD0</p>"));
  EXPECT_EQ(WebVisit(server.Url("/u")), Utf8ToText("<meta charset=\"utf-8\"><p>中文</p>"));
  EXPECT_EQ(WebVisit(server.Url("/g")), Utf8ToText("<meta charset=gbk><p>中文</p>"));
  EXPECT_EQ(WebVisit(server.Url("/x")), "<meta charset=x-unknown><p>\xD6\xD0</p>");
}

TEST(WebVisitOutputs, UnreachedOutputsKeepTheCallersValues) {
  const auto filled = [](Text url) {
    WebVisitArgs a{.url = std::move(url)};
    a.cookies = "c=1";
    a.receivedCookies = "r=1";
    a.responseHeaders = "old headers";
    a.location = "old location";
    a.responseBytes = B("old bytes");
    return a;
  };
  // A failure writes statusText alone.
  WebVisitArgs failed = filled("");
  EXPECT_EQ(WebVisit(failed), "");
  EXPECT_EQ(failed.statusText, Message(EngineFailure::kAddress));
  EXPECT_EQ(failed.cookies, "c=1");
  EXPECT_EQ(failed.receivedCookies, "r=1");
  EXPECT_EQ(failed.responseHeaders, "old headers");
  EXPECT_EQ(failed.location, "old location");
  EXPECT_EQ(failed.responseBytes, B("old bytes"));

  // A success without Location or Set-Cookie keeps location; with the merge
  // off both cookie variables stay, with it on the sent cookies join the jar.
  LoopbackServer server;
  server.Route("/", Response::Html("x"));
  WebVisitArgs ok = filled(server.Url("/"));
  ok.mergeReceivedCookies = false;
  EXPECT_EQ(WebVisit(ok), "x");
  EXPECT_EQ(ok.location, "old location");
  EXPECT_EQ(ok.receivedCookies, "r=1");
  EXPECT_EQ(ok.cookies, "c=1");
  WebVisitArgs merged = filled(server.Url("/"));
  EXPECT_EQ(WebVisit(merged), "x");
  EXPECT_EQ(merged.location, "old location");
  EXPECT_EQ(merged.receivedCookies, "r=1; c=1");
  EXPECT_EQ(merged.cookies, "r=1; c=1");
}

// ---------------------------------------------------------------------------
// Redirects and cookies across them

TEST(WebVisitRedirects, FollowedDisabledAndLoop) {
  LoopbackServer server;
  Response hop = Response::Redirect("/final", 302);
  hop.headers.push_back("Set-Cookie: hop=1; Path=/");
  hop.body = "moved";
  server.Route("/start", hop);
  server.Route("/final", Response::Html("final page"));
  server.Route("/loop", Response::Redirect("/loop", 301));

  WebVisitArgs followed{.url = server.Url("/start")};
  followed.location = "kept";
  EXPECT_EQ(WebVisit(followed), "final page");
  EXPECT_EQ(followed.statusText, "200 OK");
  EXPECT_EQ(FindText(followed.responseHeaders, "Location"), -1);
  EXPECT_EQ(followed.location, "kept");      // the final response has none
  EXPECT_EQ(followed.receivedCookies, "");   // nor any Set-Cookie
  EXPECT_EQ(server.RequestCount(), 2u);

  server.ClearRequests();
  WebVisitArgs stopped{.url = server.Url("/start"), .disableRedirects = true};
  EXPECT_EQ(WebVisit(stopped), "moved");
  EXPECT_EQ(stopped.statusText, "302 Found");
  EXPECT_EQ(stopped.location, "/final");
  EXPECT_EQ(stopped.receivedCookies, "hop=1");
  EXPECT_EQ(server.RequestCount(), 1u);

  server.ClearRequests();
  WebVisitArgs loop{.url = server.Url("/loop"), .timeoutSeconds = 5};
  auto start = Clock::now();
  EXPECT_EQ(WebVisit(loop), "");
  EXPECT_EQ(loop.statusText, Message(EngineFailure::kNoAnswer));
  EXPECT_EQ(server.RequestCount(), 11u);  // the first request and ten redirects
  EXPECT_LT(SecondsSince(start), 2.5);
}

TEST(WebVisitRedirects, NeverFromHttpsDownToHttp) {
  LoopbackServer tls(LoopbackServer::Options{.tls = true});
  LoopbackServer plain;
  tls.Route("/down", Response::Redirect("http://weixin.sogou.com/x"));
  tls.Route("/up", Response::Redirect("https://mp.weixin.qq.com/final"));
  tls.Route("/final", Response::Html("secure final"));
  plain.Route("/x", Response::Html("plain"));
  plain.Route("/toTls", Response::Redirect("https://mp.weixin.qq.com/up"));
  ScopedEngineRoutes routes({{"mp.weixin.qq.com:443", tls}, {"weixin.sogou.com:80", plain}});

  WebVisitArgs down{.url = "https://mp.weixin.qq.com/down", .timeoutSeconds = 2};
  EXPECT_EQ(WebVisit(down), "");
  EXPECT_EQ(down.statusText, "302 Found");
  EXPECT_EQ(down.location, "http://weixin.sogou.com/x");
  EXPECT_EQ(plain.RequestCount(), 0u);

  WebVisitArgs up{.url = "http://weixin.sogou.com/toTls", .timeoutSeconds = 2};
  EXPECT_EQ(WebVisit(up), "secure final");
  EXPECT_EQ(up.statusText, "200 OK");

  // Up to https and then down again: the step down is refused too.
  plain.Route("/upThenDown", Response::Redirect("https://mp.weixin.qq.com/down"));
  plain.ClearRequests();
  WebVisitArgs upDown{.url = "http://weixin.sogou.com/upThenDown", .timeoutSeconds = 2};
  EXPECT_EQ(WebVisit(upDown), "");
  EXPECT_EQ(upDown.statusText, "302 Found");
  EXPECT_EQ(upDown.location, "http://weixin.sogou.com/x");
  EXPECT_EQ(plain.RequestCount(), 1u);  // only the first request
}

TEST(WebVisitRedirects, StepDownRefusedForEveryRedirectAnswer) {
  LoopbackServer tls(LoopbackServer::Options{.tls = true});
  LoopbackServer plain;
  plain.Route("/x", Response::Html("plain"));
  tls.Route("/final", Response::Html("secure final"));
  ScopedEngineRoutes routes({{"mp.weixin.qq.com:443", tls}, {"weixin.sogou.com:80", plain}});
  // curl follows any 3xx that names a Location, and goes by the first one.
  const auto twoLocations = [](const std::string& first, const std::string& second) {
    Response r = Response::Redirect(first);
    r.headers.push_back("Location: " + second);
    return r;
  };
  struct Case {
    const char* name;
    Response secureAnswer;
    Text wantPage, wantStatus, wantLocation;
  };
  const Case cases[] = {
      {"300", Response::Redirect("http://weixin.sogou.com/x", 300), "", "300 Found",
       "http://weixin.sogou.com/x"},
      {"304", Response::Redirect("http://weixin.sogou.com/x", 304), "", "304 Found",
       "http://weixin.sogou.com/x"},
      {"305", Response::Redirect("http://weixin.sogou.com/x", 305), "", "305 Found",
       "http://weixin.sogou.com/x"},
      {"a 3xx curl has no name for", Response::Redirect("http://weixin.sogou.com/x", 399), "",
       "399 Found", "http://weixin.sogou.com/x"},
      {"first Location down, second up",
       twoLocations("http://weixin.sogou.com/x", "https://mp.weixin.qq.com/final"), "",
       "302 Found", "https://mp.weixin.qq.com/final"},
      {"first Location up, second down",
       twoLocations("https://mp.weixin.qq.com/final", "http://weixin.sogou.com/x"),
       "secure final", "200 OK", "kept"},
  };
  // Each time up from http first, so that curl's own protocol list for the
  // later hops would still allow http.
  plain.Route("/up", Response::Redirect("https://mp.weixin.qq.com/answer"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tls.Route("/answer", c.secureAnswer);
    plain.ClearRequests();
    WebVisitArgs call{.url = "http://weixin.sogou.com/up", .timeoutSeconds = 2};
    call.location = "kept";
    EXPECT_EQ(WebVisit(call), c.wantPage);
    EXPECT_EQ(call.statusText, c.wantStatus);
    EXPECT_EQ(call.location, c.wantLocation);  // the last Location line of the final answer
    EXPECT_EQ(plain.RequestCount(), 1u);        // only the first request
  }
}

TEST(WebVisitRedirects, AnswersCurlCannotFollow) {
  LoopbackServer server;
  const auto withLocationLine = [](const std::string& line) {
    Response r;
    r.status = 302;
    r.reason = "Found";
    r.headers.push_back(line);
    r.body = "moved";
    return r;
  };
  struct Case {
    const char* name;
    Response answer;
    Text wantPage, wantStatus, wantLocation;
  };
  const Case cases[] = {
      // No address to go to: the 3xx itself is the final answer.
      {"empty Location value", withLocationLine("Location: "), "moved", "302 Found", ""},
      {"Location without a value or blank", withLocationLine("Location:"), "moved", "302 Found",
       "kept"},
      // An address to go to that cannot be used: the redirect fails.
      {"Location that does not parse", Response::Redirect("http://[::1/x"), "",
       Message(EngineFailure::kNoAnswer), "kept"},
      {"Location with a scheme not followed", Response::Redirect("ftp://127.0.0.1/x"), "",
       Message(EngineFailure::kNoAnswer), "kept"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    server.Route("/r", c.answer);
    server.ClearRequests();
    WebVisitArgs call{.url = server.Url("/r"), .timeoutSeconds = 2};
    call.location = "kept";
    auto start = Clock::now();
    EXPECT_EQ(WebVisit(call), c.wantPage);
    EXPECT_EQ(call.statusText, c.wantStatus);
    EXPECT_EQ(call.location, c.wantLocation);
    EXPECT_EQ(server.RequestCount(), 1u);
    EXPECT_LT(SecondsSince(start), 1.5);  // at once, not after the time-out
  }
}

TEST(WebVisitRedirects, CookieEngineOnlyWithAJar) {
  LoopbackServer server;
  Response hop = Response::Redirect("/next");
  hop.headers.push_back("Set-Cookie: s=1; Path=/");
  server.Route("/first", hop);
  server.Route("/next", Response::Html("next"));

  WebVisitArgs noJar{.url = server.Url("/first")};
  EXPECT_EQ(WebVisit(noJar), "next");
  ASSERT_EQ(server.RequestCount(), 2u);
  EXPECT_FALSE(server.Requests()[1].HasHeader("Cookie"));

  server.ClearRequests();
  WebVisitArgs jar{.url = server.Url("/first"), .cookies = "a=0"};
  EXPECT_EQ(WebVisit(jar), "next");
  ASSERT_EQ(server.RequestCount(), 2u);
  EXPECT_EQ(server.Requests()[0].Header("Cookie"), "a=0");
  // curl's engine carries s=1 across the hop, next to the block's own line.
  std::string second = server.Requests()[1].HeaderBlock();
  EXPECT_NE(second.find("Cookie: a=0\r\n"), std::string::npos);
  EXPECT_NE(second.find("s=1"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Failures

TEST(WebVisitFailures, UnusableAddressesConnectNothing) {
  LoopbackServer server;
  const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());
  const Text addresses[] = {
      "",
      "127.0.0.1:" + std::to_string(server.Port()) + "/",  // no scheme
      "ftp://127.0.0.1:" + std::to_string(server.Port()) + "/",
      "file:///etc/passwd",
      "javascript:alert(1)",
      "http://",
      "http:///path",
      "http:path",
      "http:/path",
      "https://?q",
      base + "/a b",
      " " + base + "/",
      base + "/\t",
      base + "/a\x01" "b",
      base + "/\x7F",
      "http://[::1/",
  };
  for (const Text& url : addresses) {
    SCOPED_TRACE(url);
    WebVisitArgs call{.url = url};
    EXPECT_EQ(WebVisit(call), "");
    EXPECT_EQ(call.statusText, Message(EngineFailure::kAddress));
  }
  EXPECT_EQ(server.ConnectionCount(), 0u);
}

TEST(WebVisitFailures, NonAsciiAddressGoesOutPercentEncoded) {
  LoopbackServer server;
  server.Route("/s?q=%E4%B8%AD", Response::Html("found"));
  // "中" as Text (GB18030 D6 D0) is sent as its UTF-8 bytes, percent-encoded.
  EXPECT_EQ(WebVisit(server.Url("/s?q=") + "\xD6\xD0"), "found");
}

TEST(WebVisitFailures, SendFailures) {
  LoopbackServer tls(LoopbackServer::Options{.tls = true});
  tls.SetFallback([](const Request&) { return Response::Html("should not be read"); });
  testing::TlsMaterial stranger = testing::MakeTlsMaterial({"mp.weixin.qq.com"});
  struct Case {
    const char* name;
    Text url;
    std::vector<HostRoute> routes;
    std::optional<std::string> trust;
  };
  const Case cases[] = {
      {"refused connection",
       "http://127.0.0.1:" + std::to_string(testing::UnusedLoopbackPort()) + "/", {}, {}},
      // A 64-letter label fails inside the resolver: no query leaves the machine.
      {"name that does not resolve", "http://" + std::string(64, 'a') + ".invalid/", {}, {}},
      {"certificate from an untrusted root", "https://mp.weixin.qq.com/s",
       {{"mp.weixin.qq.com:443", tls}}, stranger.caPem},
      {"no test root at all", "https://mp.weixin.qq.com/s", {{"mp.weixin.qq.com:443", tls}},
       std::string()},
      {"certificate without the host's name", "https://other.example/s",
       {{"other.example:443", tls}}, {}},
      // libcurl will not build a request head of 1 MiB or more.
      {"address too long to send", tls.Url("/s/") + std::string(1 << 20, 'a'), {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedEngineRoutes routes(c.routes, c.trust);
    WebVisitArgs call{.url = c.url, .timeoutSeconds = 5};
    auto start = Clock::now();
    EXPECT_EQ(WebVisit(call), "");
    EXPECT_EQ(call.statusText, Message(EngineFailure::kSend));
    EXPECT_LT(SecondsSince(start), 2.5);  // at once, not after the time-out
  }
  EXPECT_EQ(tls.RequestCount(), 0u);
}

TEST(WebVisitFailures, TlsHandshakeThatNeverEndsIsBounded) {
  LoopbackServer plain;  // reads the ClientHello as a request that never ends
  ScopedEngineRoutes routes({{"mp.weixin.qq.com:443", plain}});
  WebVisitArgs call{.url = "https://mp.weixin.qq.com/s", .timeoutSeconds = 1};
  auto start = Clock::now();
  EXPECT_EQ(WebVisit(call), "");
  double took = SecondsSince(start);
  EXPECT_EQ(call.statusText, Message(EngineFailure::kSend));
  EXPECT_GE(took, 0.9);
  EXPECT_LE(took, 2.5);
}

TEST(WebVisitFailures, NoAnswer) {
  LoopbackServer server;
  Response silent;
  silent.neverAnswer = true;
  server.Route("/silent", silent);
  server.Route("/hangup", Response::Raw(""));
  server.Route("/garbage", Response::Raw("garbage\r\n\r\nmore"));
  server.Route("/badstatus", Response::Raw("HTTP/1.1 abc\r\n\r\n"));
  // Only an interim answer, then silence or a hang-up: the answer never came.
  Response interim;
  interim.status = 100;
  interim.reason = "Continue";
  interim.stallAfter = 0;
  server.Route("/interim-silence", interim);
  server.Route("/interim-hangup", Response::Raw("HTTP/1.1 100 Continue\r\n\r\n"));
  // Time-out 1 s where the wait is the point, 5 s where failing at once is.
  struct Case {
    const char* path;
    int timeout;
    double minSeconds, maxSeconds;
  };
  const Case cases[] = {
      {"/silent", 1, 0.9, 2.5},
      {"/hangup", 5, 0, 2.5},
      {"/garbage", 5, 0, 2.5},
      {"/badstatus", 5, 0, 2.5},
      {"/interim-silence", 1, 0.9, 2.5},
      {"/interim-hangup", 5, 0, 2.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    WebVisitArgs call{.url = server.Url(c.path), .timeoutSeconds = c.timeout};
    call.responseHeaders = "kept";
    auto start = Clock::now();
    EXPECT_EQ(WebVisit(call), "");
    double took = SecondsSince(start);
    EXPECT_EQ(call.statusText, Message(EngineFailure::kNoAnswer));
    EXPECT_EQ(call.responseHeaders, "kept");
    EXPECT_GE(took, c.minSeconds);
    EXPECT_LE(took, c.maxSeconds);
  }
}

TEST(WebVisitFailures, SlowButWithinTheLimitIsFine) {
  LoopbackServer server;
  Response slow = Response::Html("late");
  slow.delay = milliseconds(600);
  server.Route("/slow", slow);
  WebVisitArgs call{.url = server.Url("/slow"), .timeoutSeconds = 1};
  EXPECT_EQ(WebVisit(call), "late");
  EXPECT_EQ(call.statusText, "200 OK");
}

TEST(WebVisitFailures, AnyTimeoutValueIsAccepted) {
  LoopbackServer server;
  server.Route("/", Response::Html("ok"));
  for (int seconds : {0, -3, 1, 30, 86400, 2147483647}) {
    SCOPED_TRACE(seconds);
    WebVisitArgs call{.url = server.Url("/"), .timeoutSeconds = seconds};
    EXPECT_EQ(WebVisit(call), "ok");
    EXPECT_EQ(call.statusText, "200 OK");
  }
}

TEST(WebVisitFailures, BodyBrokenOffKeepsWhatArrived) {
  LoopbackServer plain;
  LoopbackServer tls(LoopbackServer::Options{.tls = true});
  const std::string body = std::string(30, 'a') + std::string(70, 'b');
  Response cut = Response::Html(body);
  cut.closeAfter = 30;
  Response stall = Response::Html(body);
  stall.stallAfter = 30;
  Response chunkCut = Response::Html(body);
  chunkCut.chunked = true;
  chunkCut.chunkSize = 10;
  chunkCut.closeAfter = 3 * 15;  // three chunks of "a\r\n" + 10 bytes + "\r\n"
  for (LoopbackServer* s : {&plain, &tls}) {
    s->Route("/cut", cut);
    s->Route("/stall", stall);
    s->Route("/chunkcut", chunkCut);
  }
  ScopedEngineRoutes trust({}, tls.CaPem());
  struct Case {
    const char* path;
    int timeout;
    double minSeconds, maxSeconds;
  };
  const Case cases[] = {{"/cut", 5, 0, 2.5}, {"/stall", 1, 0.9, 2.5}, {"/chunkcut", 5, 0, 2.5}};
  for (LoopbackServer* s : {&plain, &tls}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(s->Url(c.path));
      WebVisitArgs call{.url = s->Url(c.path), .timeoutSeconds = c.timeout};
      auto start = Clock::now();
      EXPECT_EQ(WebVisit(call), std::string(30, 'a'));
      double took = SecondsSince(start);
      EXPECT_EQ(call.responseBytes, B(std::string(30, 'a')));
      // The status text replaces the read failure's message.
      EXPECT_EQ(call.statusText, "200 OK");
      EXPECT_GE(took, c.minSeconds);
      EXPECT_LE(took, c.maxSeconds);
    }
  }
}

// ---------------------------------------------------------------------------
// Pumps and re-entry

TEST(WebVisitPumps, MessagePumpAtItsPoints) {
  LoopbackServer server;
  server.Route("/", Response::Html("x"));  // status + 3 header lines + blank line
  int pumps = 0;
  ScopedPumps hooks([&] { ++pumps; }, {});
  EXPECT_EQ(WebVisit(server.Url("/")), "x");
  EXPECT_EQ(pumps, 5 + 2);  // each piece of the header block, charset stage, return

  pumps = 0;
  WebVisitArgs bad{.url = ""};
  EXPECT_EQ(WebVisit(bad), "");
  EXPECT_EQ(pumps, 1);  // before returning, also on 701
}

TEST(WebVisitPumps, WaitPumpRunsWhileWaiting) {
  LoopbackServer server;
  Response slow = Response::Html("late");
  slow.delay = milliseconds(400);
  server.Route("/", slow);
  int waits = 0;
  ScopedPumps hooks({}, [&] { ++waits; });
  EXPECT_EQ(WebVisit(server.Url("/")), "late");
  EXPECT_GE(waits, 4);
  EXPECT_LE(waits, 12);
}

TEST(WebVisitPumps, NestedVisitFromEitherPump) {
  LoopbackServer server;
  Response slow = Response::Html("outer");
  slow.delay = milliseconds(200);
  server.Route("/outer", slow);
  server.Route("/inner", Response::Html("inner"));
  std::vector<Text> inner;
  bool busy = false;
  auto nested = [&] {
    if (busy || inner.size() >= 2) return;
    busy = true;
    inner.push_back(WebVisit(server.Url("/inner")));
    busy = false;
  };
  ScopedPumps hooks(nested, nested);
  WebVisitArgs outer{.url = server.Url("/outer")};
  EXPECT_EQ(WebVisit(outer), "outer");
  EXPECT_EQ(outer.statusText, "200 OK");
  EXPECT_EQ(inner, (std::vector<Text>{"inner", "inner"}));
}

// ---------------------------------------------------------------------------
// Bad input from the server

TEST(WebVisitBadInput, LargeBodyAndLongHeaderLine) {
  LoopbackServer server;
  std::string big(50u << 20, 'z');
  big.replace(0, 6, "<html>");
  server.Route("/big", Response::Html(big));
  Response longLine = Response::Html("short");
  longLine.headers.push_back("X-Long: " + std::string(64 * 1024, 'v'));
  server.Route("/long", longLine);

  WebVisitArgs large{.url = server.Url("/big"), .timeoutSeconds = 5};
  Text page = WebVisit(large);
  EXPECT_EQ(page.size(), big.size());
  EXPECT_TRUE(page == big);
  EXPECT_EQ(large.responseBytes.size(), big.size());

  WebVisitArgs header{.url = server.Url("/long"), .timeoutSeconds = 2};
  EXPECT_EQ(WebVisit(header), "short");
  EXPECT_NE(header.responseHeaders.find("X-Long: " + std::string(64 * 1024, 'v') + "\r\n"),
            std::string::npos);
}

TEST(WebVisitBadInput, AThousandSetCookieLines) {
  LoopbackServer server;
  Response r = Response::Html("jar");
  for (int i = 0; i < 1000; ++i) r.headers.push_back("Set-Cookie: c" + std::to_string(i) + "=v");
  server.Route("/", r);
  WebVisitArgs call{.url = server.Url("/"), .cookies = "mine=1", .timeoutSeconds = 2};
  EXPECT_EQ(WebVisit(call), "jar");
  EXPECT_EQ(SplitText(call.receivedCookies, "; ").Size(), 1001);
  EXPECT_EQ(TextRight(call.cookies, 14), "c999=v; mine=1");
}

TEST(WebVisitBadInput, ZeroBytesAroundTheMetaTag) {
  LoopbackServer server;
  const std::string zhUtf8 = "\xE4\xB8\xAD";
  server.Route("/before", Response::Html(std::string("\0", 1) + "<meta charset=utf-8>" + zhUtf8));
  server.Route("/after", Response::Html("<meta charset=utf-8>" + zhUtf8 + std::string("\0", 1) +
                                        "rest"));
  WebVisitArgs before{.url = server.Url("/before")};
  EXPECT_EQ(WebVisit(before), "");
  EXPECT_EQ(before.responseBytes.size(), 1u + 20 + 3);
  WebVisitArgs after{.url = server.Url("/after")};
  EXPECT_EQ(WebVisit(after), Utf8ToText("<meta charset=utf-8>中"));
  EXPECT_EQ(after.responseBytes.size(), 20u + 3 + 1 + 4);
}

}  // namespace
}  // namespace gavrel
