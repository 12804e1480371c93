// http/messages.cpp
#include "http/messages.h"

#include "text/codepage.h"

namespace gavrel {

Text EngineMessage(EngineFailure failure) {
  switch (failure) {
    case EngineFailure::kPlatform:
      return Utf8ToText("700 当前系统不支持WinHttp服务!");
    case EngineFailure::kAddress:
      return Utf8ToText("701 解析URL地址失败!");
    case EngineFailure::kSession:
      return Utf8ToText("702 创建WinHttp会话失败!");
    case EngineFailure::kConnection:
      return Utf8ToText("703 创建WinHttp连接失败!");
    case EngineFailure::kRequest:
      return Utf8ToText("704 创建WinHttp请求失败!");
    case EngineFailure::kTimeouts:
      return Utf8ToText("705 设置超时时间失败!");
    case EngineFailure::kCredentials:
      return Utf8ToText("707 设置代理凭证失败!");
    case EngineFailure::kCertificate:
      return Utf8ToText("忽略错误/证书错误  失败！");
    case EngineFailure::kCookies:
      return Utf8ToText("708 禁止自动设置Cookies失败!");
    case EngineFailure::kRedirects:
      return Utf8ToText("709 重定向设置失败!");
    case EngineFailure::kHeaders:
      return Utf8ToText("710 设置协议头失败!");
    case EngineFailure::kSend:
      return Utf8ToText("711 发送请求失败!");
    case EngineFailure::kNoAnswer:
      return Utf8ToText("712 服务器未响应!");
    case EngineFailure::kRead:
      return Utf8ToText("713 读取数据失败!");
  }
  return {};
}

}  // namespace gavrel
