// The failure messages reach the window in the program's code page: the
// bytes below are GBK, written out independently of the conversion.
#include <gtest/gtest.h>

#include "http/messages.h"

namespace gavrel {
namespace {

TEST(EngineMessage, GbkBytes) {
  EXPECT_EQ(EngineMessage(EngineFailure::kAddress),
            "701 \xBD\xE2\xCE\xF6URL\xB5\xD8\xD6\xB7\xCA\xA7\xB0\xDC!");
  EXPECT_EQ(EngineMessage(EngineFailure::kNoAnswer),
            "712 \xB7\xFE\xCE\xF1\xC6\xF7\xCE\xB4\xCF\xEC\xD3\xA6!");
  // No number, two blanks before the last word, a full-width exclamation mark.
  EXPECT_EQ(EngineMessage(EngineFailure::kCertificate),
            "\xBA\xF6\xC2\xD4\xB4\xED\xCE\xF3/\xD6\xA4\xCA\xE9\xB4\xED\xCE\xF3  "
            "\xCA\xA7\xB0\xDC\xA3\xA1");
}

TEST(EngineMessage, EveryMessageCarriesItsNumber) {
  const EngineFailure numbered[] = {
      EngineFailure::kPlatform, EngineFailure::kAddress,     EngineFailure::kSession,
      EngineFailure::kConnection, EngineFailure::kRequest,   EngineFailure::kTimeouts,
      EngineFailure::kCredentials, EngineFailure::kCookies,  EngineFailure::kRedirects,
      EngineFailure::kHeaders,   EngineFailure::kSend,       EngineFailure::kNoAnswer,
      EngineFailure::kRead};
  for (EngineFailure f : numbered) {
    SCOPED_TRACE(static_cast<int>(f));
    EXPECT_EQ(EngineMessage(f).substr(0, 4), std::to_string(static_cast<int>(f)) + " ");
    EXPECT_EQ(EngineMessage(f).back(), '!');
  }
}

}  // namespace
}  // namespace gavrel
