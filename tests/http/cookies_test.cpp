// Harvest of Set-Cookie and Location lines, and the cookie merge.
#include <gtest/gtest.h>

#include <string>

#include "http/cookies.h"
#include "http/pump.h"
#include "text/primitives.h"

namespace gavrel {
namespace {

struct Harvested {
  Text cookies, received, location;
};

Harvested Harvest(const std::string& head, Text cookies, Text received, Text location,
                  bool merge) {
  HarvestResponseHeaders(head, cookies, received, location, merge);
  return {cookies, received, location};
}

TEST(HarvestResponseHeaders, Cases) {
  struct Case {
    const char* name;
    std::string head;
    Text cookies, received, location;
    bool merge;
    Harvested want;
  };
  const std::string ok = "HTTP/1.1 200 OK\r\n";
  const Case cases[] = {
      {"pairs without attributes, merge off",
       ok + "Set-Cookie: sid=abc; Path=/; Secure\r\nSet-Cookie: lang=zh\r\n\r\n", "", "", "", false,
       {"", "sid=abc; lang=zh", ""}},
      {"lower-case set-cookie not collected", ok + "set-cookie: a=1\r\n\r\n", "", "", "L", false,
       {"", "", "L"}},
      {"empty value before the semicolon gives an empty pair",
       ok + "Set-Cookie: ; Path=/\r\nSet-Cookie: b=2\r\n\r\n", "", "", "", false,
       {"", "; b=2", ""}},
      {"value held on entry runs into the first pair", ok + "Set-Cookie: a=b\r\n\r\n", "", "x=1",
       "", false, {"", "x=1a=b", ""}},
      {"lower-case location is read", ok + "location: /next\r\n\r\n", "", "", "old", false,
       {"", "", "/next"}},
      {"no Location keeps the value", ok + "\r\n", "", "", "old", false, {"", "", "old"}},
      {"a later Location wins", ok + "Location: /a\r\nLocation: /b\r\n\r\n", "", "", "", false,
       {"", "", "/b"}},
      {"merge: received first, then unsent names",
       ok + "Set-Cookie: a=1\r\nSet-Cookie: c=3\r\n\r\n", "a=0; b=2", "", "", true,
       {"a=1; c=3; b=2", "a=1; c=3; b=2", ""}},
      {"merge: deleted cookie removed", ok + "Set-Cookie: a=deleted; Path=/\r\n\r\n", "a=0; b=2",
       "", "", true, {"b=2", "b=2", ""}},
      {"merge without Set-Cookie drops exact repeats", ok + "\r\n", "a=1; b=2;a=1", "", "", true,
       {"a=1; b=2", "a=1; b=2", ""}},
      {"merge removes inner blanks", ok + "\r\n", "a=x y", "", "", true, {"a=xy", "a=xy", ""}},
      {"merge on but no cookies sent: no merge", ok + "Set-Cookie: a = 1 \r\n\r\n", "", "", "",
       true, {"", "a = 1", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Harvested got = Harvest(c.head, c.cookies, c.received, c.location, c.merge);
    EXPECT_EQ(got.cookies, c.want.cookies);
    EXPECT_EQ(got.received, c.want.received);
    EXPECT_EQ(got.location, c.want.location);
  }
}

TEST(HarvestResponseHeaders, PumpsOncePerLine) {
  int pumps = 0;
  MessagePump previous = SetMessagePump([&] { ++pumps; });
  Text cookies, received, location;
  HarvestResponseHeaders("HTTP/1.1 200 OK\r\nA: 1\r\nB: 2\r\n\r\n", cookies, received, location,
                         true);
  SetMessagePump(previous);
  EXPECT_EQ(pumps, 4);  // status line, two header lines and the blank line
}

TEST(HarvestResponseHeaders, AThousandCookies) {
  std::string head = "HTTP/1.1 200 OK\r\n";
  Text sent;
  for (int i = 0; i < 1000; ++i) {
    head += "Set-Cookie: k" + std::to_string(i) + "=v; Path=/\r\n";
    sent += "s" + std::to_string(i) + "=1; ";
  }
  head += "Set-Cookie: k0=v\r\n\r\n";  // an exact repeat
  Text received, location;
  HarvestResponseHeaders(head, sent, received, location, true);
  EXPECT_EQ(SplitText(received, "; ").Size(), 2000);
  EXPECT_EQ(TextLeft(received, 12), "k0=v; k1=v; ");
  EXPECT_EQ(TextRight(received, 8), "; s999=1");
  EXPECT_EQ(sent, received);
}

TEST(MergeCookies, BothVariablesAndResult) {
  Text sent = "a=0; b=2", received = "a=1; c = 3";
  Text merged = MergeCookies(sent, received);
  EXPECT_EQ(merged, "a=1; c=3; b=2");
  EXPECT_EQ(sent, merged);
  EXPECT_EQ(received, "a=1;c=3");  // blank-free, not merged
}

TEST(MergeCookies, EdgeCases) {
  struct Case {
    const char* name;
    Text sent, received, want;
  };
  const Case cases[] = {
      {"both empty", "", "", ""},
      {"first of two sent pairs with one name wins", "a=1;a=2", "", "a=1"},
      {"received beats sent", "a=old", "a=new", "a=new"},
      {"empty part between semicolons stays once", "a=1;;b=2", "", "a=1; ; b=2"},
      {"trailing semicolon gives no empty part", "a=1;", "", "a=1"},
      {"deleted sent cookie dropped too", "a=deleted; b=1", "", "b=1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Text sent = c.sent, received = c.received;
    EXPECT_EQ(MergeCookies(sent, received), c.want);
  }
}

TEST(CookieHelpers, NameListAndDedup) {
  EXPECT_EQ(CookieName(" sid =abc"), "sid");
  EXPECT_EQ(CookieName("flag"), "flag");
  EXPECT_EQ(CookieName("=v"), "");
  TextList pairs = SplitText("a=1;B=2", ";");
  EXPECT_TRUE(HasCookieName(pairs, "B"));
  EXPECT_FALSE(HasCookieName(pairs, "b"));
  EXPECT_EQ(DedupParts("a; b; a", "; "), "a; b");
  EXPECT_EQ(DedupParts("", "; "), "");
  EXPECT_EQ(DedupParts("x", "; "), "x");
  TextList list = SplitText("x,y,x", ",");
  EXPECT_EQ(IndexOfText(list, "x"), 1);
  EXPECT_EQ(IndexOfText(list, "y"), 2);
  EXPECT_EQ(IndexOfText(list, "z"), -1);
  EXPECT_EQ(IndexOfText(list, "X"), -1);
}

}  // namespace
}  // namespace gavrel
