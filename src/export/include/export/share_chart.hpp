// The risk drivers: each chemical's share of a stream total as sorted horizontal bars.
#pragma once

#include <string>
#include <vector>

namespace vorn {

struct ShareItem {
  std::string name;  // as read (Latin-1, blanks trimmed)
  double value = 0.0;
};

struct ShareChart {
  std::string css_class;  // "risk" or "hazard"
  std::string quantity;   // "cancer risk", "hazard index"
  double total = 0.0;     // the stream total the shares are taken of
  std::vector<ShareItem> items;
};

// HTML: a line with the total, then inline SVG with the largest shares as bars
// (the rest folded into one "others" bar, so the bars add up to 100 %), and the
// chemicals without a share named below. When the shares cannot be formed (a total
// of 0, a value that is negative or not finite) it says why and draws nothing.
std::string share_chart(const ShareChart& chart);

}  // namespace vorn
