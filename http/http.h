// http/http.h
//
// The request engine: WebVisit performs one complete HTTP or HTTPS exchange
// over libcurl and returns the response body as Text. Every network access
// of the program goes through it. It runs on the calling thread, keeps no
// state between calls and never throws: a failure puts one of the numbered
// messages of http/messages.h into statusText and returns the empty text.
//
// The three tools call it with the address alone:
//   Text page = WebVisit("https://mp.weixin.qq.com/s/abc");
// which is a GET with the default header block (http/header_block.h),
// redirects followed (at most 10, never from https down to http), no cookie
// engine, 30 seconds for each wait, certificates verified against the
// system's roots, and the body re-decoded by the charset its page declares
// (http/body_decoding.h).
//
// Everything else goes through WebVisitArgs, whose fields carry the
// parameters in their usual order; outputs are written in place, and an
// output that a path does not reach keeps what the caller put there:
//   WebVisitArgs call{.url = "http://weixin.sogou.com/weixin?type=1",
//                     .cookies = jar, .timeoutSeconds = 5};
//   Text page = WebVisit(call);   // call.statusText == "200 OK", ...
//
// On the wire a request carries exactly: the request line (HTTP/1.1), Host,
// the header block, and Content-Length when a body goes out.
//
// Pump points (http/pump.h): PumpMessages runs after each response header
// line, after the charset stage and before returning (not before returning
// on 700, 707, the certificate message, 708 or 709); PumpWhileWaiting runs
// about every 50 ms while the call waits on the network. A pump may run a
// nested WebVisit; each call keeps its data to itself.
//
// Tests point the engine at loopback servers with http/test_settings.h.
#pragma once

#include <string_view>

#include "http/body_decoding.h"
#include "http/cookies.h"
#include "http/header_block.h"
#include "http/messages.h"
#include "text/types.h"

namespace gavrel {

struct WebVisitArgs {
  Text url{};                        // in: http or https address
  int method = 0;                    // in: 0 GET 1 POST 2 HEAD 3 PUT 4 OPTIONS 5 DELETE
                                     //     6 TRACE 7 CONNECT, anything else GET
  Text postText{};                   // in: body as text
  Text cookies{};                    // in/out: cookies to send; merged (see cookies.h)
  Text receivedCookies{};            // in/out: the response's cookies are appended
  Text extraHeaders{};               // in: the caller's header lines, CRLF-separated
  Text responseHeaders{};            // out: raw header block of the final response
  bool disableRedirects = false;     // in
  Text serverUser{};                 // in: Basic authentication at the server,
  Text serverPassword{};             //     used when both are non-empty
  Text proxy{};                      // in: HTTP proxy as host:port
  Text proxyUser{};                  // in: Basic authentication at the proxy,
  Text proxyPassword{};              //     used when both are non-empty
  int timeoutSeconds = 0;            // in: limit of each wait; 0 or less: 30
  Text location{};                   // out: the final response's Location value
  Text statusText{};                 // out: "200 OK", or a failure message
  Bytes responseBytes{};             // out: the body exactly as received
  bool mergeReceivedCookies = true;  // in
  bool addDefaultHeaders = true;     // in
  Bytes postBytes{};                 // in: body as bytes; wins over postText
  bool normalizeHeaderCase = true;   // in
};

// One exchange with every parameter. Outputs, when reached:
//  - responseHeaders: the final response's status line and header lines,
//    each ending in CRLF, then a blank line (CRLF CRLF at the end);
//  - statusText: responseHeaders from its 10th byte to the first CRLF
//    ("200 OK", "404 Not Found"), also when the body broke off (713);
//    otherwise the failure message;
//  - location, receivedCookies, cookies: see HarvestResponseHeaders;
//  - responseBytes: every body byte received, zero bytes included.
// Result: the body as Text (up to its first zero byte), re-decoded by its
// declared charset (DecodeBody); "" on failure. A 404 is no failure. A body
// that breaks off or stalls gives the bytes received so far.
Text WebVisit(WebVisitArgs& args);

// A GET of url with every other parameter at its default.
Text WebVisit(std::string_view url);

}  // namespace gavrel
