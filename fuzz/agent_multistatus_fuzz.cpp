// A WebDAV multistatus answer as any server might send it: libxml2 reads whatever arrives, and
// the reading either says why the body is no multistatus or hands back responses that each
// name their resource.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "agent/input/multistatus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string body(reinterpret_cast<const char*>(data), size);
  const dayweave::agent::Multistatus answer = dayweave::agent::ReadMultistatus(body);
  if (!answer.error.empty() && !answer.responses.empty()) std::abort();
  for (const dayweave::agent::DavResponse& response : answer.responses) {
    if (response.href.empty()) std::abort();
  }
  return 0;
}
