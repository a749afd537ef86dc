#include "net/room_key.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace mojara::net {

namespace {

// The stretching's salt and rounds: part of the protocol, as the code's letters are.
constexpr std::string_view kSalt = "mojara taisen room code";
constexpr int kRounds = 100'000;

std::span<const std::uint8_t> bytesOf(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::array<std::uint8_t, 32> hmacSha256(std::span<const std::uint8_t> key,
                                        std::span<const std::uint8_t> bytes) {
  std::array<std::uint8_t, 32> out{};
  unsigned size = 0;
  if (!HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()), bytes.data(), bytes.size(), out.data(),
            &size) ||
      size != out.size())
    throw std::runtime_error("HMAC-SHA-256 failed");
  return out;
}

void randomBytes(std::span<std::uint8_t> into) {
  if (RAND_bytes(into.data(), static_cast<int>(into.size())) != 1)
    throw std::runtime_error("the system has no random source");
}

RoomCode RoomKey::randomCode() {
  std::array<std::uint8_t, 8> bytes{};
  randomBytes(bytes);
  std::uint64_t bits = 0;
  for (std::uint8_t b : bytes) bits = bits << 8 | b;
  return RoomCode::fromBits(bits);
}

RoomKey::RoomKey(const RoomCode& code) {
  const std::string letters = code.letters();
  if (PKCS5_PBKDF2_HMAC(letters.data(), static_cast<int>(letters.size()), bytesOf(kSalt).data(),
                        static_cast<int>(kSalt.size()), kRounds, EVP_sha256(), static_cast<int>(room_.size()),
                        room_.data()) != 1)
    throw std::runtime_error("PBKDF2 failed");
  hostKey_ = hmacSha256(room_, bytesOf("datagrams of the host"));
  joinerKey_ = hmacSha256(room_, bytesOf("datagrams of the joiner"));
}

Tag RoomKey::tag(Role sender, std::span<const std::uint8_t> bytes) const {
  const auto full = hmacSha256(sender == Role::Host ? hostKey_ : joinerKey_, bytes);
  Tag t;
  std::copy_n(full.begin(), kTagSize, t.begin());
  return t;
}

void RoomKey::seal(Role sender, std::vector<std::uint8_t>& bytes) const {
  const Tag t = tag(sender, bytes);
  bytes.insert(bytes.end(), t.begin(), t.end());
}

bool RoomKey::opens(Role sender, std::span<const std::uint8_t> sealed) const {
  if (sealed.size() < kTagSize) return false;
  const Tag t = tag(sender, sealed.first(sealed.size() - kTagSize));
  return CRYPTO_memcmp(t.data(), sealed.data() + sealed.size() - kTagSize, kTagSize) == 0;
}

}  // namespace mojara::net
