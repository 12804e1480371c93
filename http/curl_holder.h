// http/curl_holder.h
//
// Owners of libcurl's handles for one WebVisit call: the easy handle with its
// header lists and error buffer, and the multi handle that drives it. Copying
// is deleted, moving is noexcept, destruction frees everything in the order
// libcurl asks for (the easy handle leaves the multi before either goes).
// Example:
//   CurlHolder curl;                       // curl.Easy() == nullptr on failure
//   curl.SetHeaders({"Accept: text/html"});
//   curl_easy_setopt(curl.Easy(), CURLOPT_HTTPHEADER, curl.Headers());
#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>
#include <vector>

namespace gavrel {

// libcurl's global set-up, made once per process (thread-safe). False when
// libcurl cannot start.
[[nodiscard]] bool CurlReady();

// A curl_slist built from lines; each string is copied by libcurl.
class CurlList {
 public:
  CurlList() = default;
  ~CurlList();
  CurlList(CurlList&& other) noexcept;
  CurlList& operator=(CurlList&& other) noexcept;
  CurlList(const CurlList&) = delete;
  CurlList& operator=(const CurlList&) = delete;

  // False when libcurl could not allocate the entry.
  bool Append(const std::string& line);
  [[nodiscard]] curl_slist* get() const { return list_; }

 private:
  curl_slist* list_ = nullptr;
};

class CurlHolder {
 public:
  CurlHolder();
  ~CurlHolder();
  CurlHolder(CurlHolder&& other) noexcept;
  CurlHolder& operator=(CurlHolder&& other) noexcept;
  CurlHolder(const CurlHolder&) = delete;
  CurlHolder& operator=(const CurlHolder&) = delete;

  [[nodiscard]] CURL* Easy() const { return easy_; }
  // Made on first use; nullptr when libcurl cannot make one.
  [[nodiscard]] CURLM* Multi();
  // The error buffer installed as CURLOPT_ERRORBUFFER ("" when none).
  [[nodiscard]] const char* ErrorText() const { return errors_.get(); }

  CurlList headers;       // CURLOPT_HTTPHEADER
  CurlList proxyHeaders;  // CURLOPT_PROXYHEADER
  CurlList connectTo;     // CURLOPT_CONNECT_TO

 private:
  void Release();

  CURL* easy_ = nullptr;
  CURLM* multi_ = nullptr;
  bool attached_ = false;
  std::unique_ptr<char[]> errors_;

  friend bool AttachToMulti(CurlHolder& holder);
  friend void DetachFromMulti(CurlHolder& holder);
};

// Adds the easy handle to the multi handle (made here when needed); false on
// failure.
bool AttachToMulti(CurlHolder& holder);
// Takes the easy handle out of the multi handle again (nothing when it is
// not in). libcurl may still call the transfer's callbacks while it does so,
// so their data must outlive this call.
void DetachFromMulti(CurlHolder& holder);

}  // namespace gavrel
