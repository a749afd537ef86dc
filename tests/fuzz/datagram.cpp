// Datagrams from the network: whatever bytes arrive, reading them ends, and what reads as a
// datagram is exactly what writing it again gives, so no two byte strings mean the same thing and
// nothing after a well-formed datagram is taken.
#include "fuzz_target.h"
#include "net/datagram.h"

using namespace mojara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto read = net::decode({data, size});
  if (!read) return 0;
  const std::vector<std::uint8_t> again = net::encode(*read);
  fuzz::require(again.size() == size && std::equal(again.begin(), again.end(), data),
                "a datagram read is written back as the same bytes");
  return 0;
}
