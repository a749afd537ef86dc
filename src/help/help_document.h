// The help document: topic blocks, each opened by "{" and its two-digit number on a line of its
// own, the block's first line being the topic's heading. A last marker "{05" closes topic 04.
#pragma once

#include <string_view>

namespace mojara {

std::string_view helpDocument();  // UTF-8, lines broken by a single line feed

}  // namespace mojara
