// app/open_address.h
//
// Hands an address to the desktop's default handler for its scheme: the web
// browser for http and https, the messenger client for tencent://. Nothing
// is reported: an address nobody handles just does nothing visible here.
// Example: OpenAddress(Utf8ToText(kUpdatePageAddress));
#pragma once

#include <string_view>

namespace gavrel {

void OpenAddress(std::string_view address);

}  // namespace gavrel
