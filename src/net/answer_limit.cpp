#include "net/answer_limit.h"

#include <algorithm>

namespace mojara::net {

void AnswerLimit::fill(Bucket& bucket, Clock::time_point now, int perSecond) {
  const double seconds = std::chrono::duration<double>(now - bucket.filled).count();
  bucket.tokens = bucket.filled == Clock::time_point{}
                      ? perSecond
                      : std::min<double>(perSecond, bucket.tokens + seconds * perSecond);
  bucket.filled = now;
}

bool AnswerLimit::allow(const std::string& host, Clock::time_point now) {
  // This address's bucket, or the one longest unused.
  Bucket* bucket = &buckets_[0];
  for (Bucket& b : buckets_) {
    if (b.host == host) {
      bucket = &b;
      break;
    }
    if (b.filled < bucket->filled) bucket = &b;
  }
  if (bucket->host != host) *bucket = Bucket{host, 0, {}};
  fill(*bucket, now, kPerAddress);
  fill(all_, now, kInAll);
  if (bucket->tokens < 1 || all_.tokens < 1) return false;
  bucket->tokens -= 1;
  all_.tokens -= 1;
  return true;
}

}  // namespace mojara::net
