// http/curl_holder.cpp
#include "http/curl_holder.h"

#include <utility>

namespace gavrel {

bool CurlReady() {
  // Never cleaned up: other threads (test servers, nested calls) may still be
  // using libcurl while static objects go away.
  static const CURLcode init = curl_global_init(CURL_GLOBAL_DEFAULT);
  return init == CURLE_OK;
}

CurlList::~CurlList() { curl_slist_free_all(list_); }

CurlList::CurlList(CurlList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}

CurlList& CurlList::operator=(CurlList&& other) noexcept {
  if (this != &other) {
    curl_slist_free_all(list_);
    list_ = std::exchange(other.list_, nullptr);
  }
  return *this;
}

bool CurlList::Append(const std::string& line) {
  curl_slist* grown = curl_slist_append(list_, line.c_str());
  if (grown == nullptr) return false;
  list_ = grown;
  return true;
}

CurlHolder::CurlHolder() : easy_(curl_easy_init()), errors_(new char[CURL_ERROR_SIZE]()) {
  if (easy_ != nullptr) curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errors_.get());
}

CurlHolder::~CurlHolder() { Release(); }

CurlHolder::CurlHolder(CurlHolder&& other) noexcept
    : headers(std::move(other.headers)),
      proxyHeaders(std::move(other.proxyHeaders)),
      connectTo(std::move(other.connectTo)),
      easy_(std::exchange(other.easy_, nullptr)),
      multi_(std::exchange(other.multi_, nullptr)),
      attached_(std::exchange(other.attached_, false)),
      errors_(std::move(other.errors_)) {}

CurlHolder& CurlHolder::operator=(CurlHolder&& other) noexcept {
  if (this != &other) {
    Release();
    headers = std::move(other.headers);
    proxyHeaders = std::move(other.proxyHeaders);
    connectTo = std::move(other.connectTo);
    easy_ = std::exchange(other.easy_, nullptr);
    multi_ = std::exchange(other.multi_, nullptr);
    attached_ = std::exchange(other.attached_, false);
    errors_ = std::move(other.errors_);
  }
  return *this;
}

CURLM* CurlHolder::Multi() {
  if (multi_ == nullptr) multi_ = curl_multi_init();
  return multi_;
}

void CurlHolder::Release() {
  if (attached_) curl_multi_remove_handle(multi_, easy_);
  attached_ = false;
  if (easy_ != nullptr) curl_easy_cleanup(easy_);
  easy_ = nullptr;
  if (multi_ != nullptr) curl_multi_cleanup(multi_);
  multi_ = nullptr;
}

bool AttachToMulti(CurlHolder& holder) {
  CURLM* multi = holder.Multi();
  if (multi == nullptr || holder.easy_ == nullptr) return false;
  if (curl_multi_add_handle(multi, holder.easy_) != CURLM_OK) return false;
  holder.attached_ = true;
  return true;
}

void DetachFromMulti(CurlHolder& holder) {
  if (holder.attached_) curl_multi_remove_handle(holder.multi_, holder.easy_);
  holder.attached_ = false;
}

}  // namespace gavrel
