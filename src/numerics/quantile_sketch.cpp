#include "numerics/quantile_sketch.hpp"
#include "core/bit_cast.hpp"
#include "core/number_text.hpp"

#include <algorithm>
#include <bit>
#include <boost/math/distributions/binomial.hpp>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <type_traits>

#include "math_policy.hpp"

namespace vorn::numerics {

namespace {

const double kLogGamma =
    std::log1p(QuantileSketch::kRelativeAccuracy) - std::log1p(-QuantileSketch::kRelativeAccuracy);
constexpr double kGamma =
    (1 + QuantileSketch::kRelativeAccuracy) / (1 - QuantileSketch::kRelativeAccuracy);

std::int32_t exact_bucket(double magnitude) {
  return static_cast<std::int32_t>(std::ceil(std::log(magnitude) / kLogGamma));
}

// log(1 + j / 128) and 1 / (1 + j / 128), j = 0..127.
struct LogTable {
  std::array<double, 128> log_c, inverse_c;
  LogTable() {
    for (int j = 0; j < 128; ++j) {
      const double c = 1 + j / 128.0;
      log_c[j] = std::log(c);
      inverse_c[j] = 1 / c;
    }
  }
};
const LogTable kLogTable;
constexpr double kLn2 = 0.6931471805599453;
const double kInverseLogGamma = 1 / kLogGamma;
// The table logarithm below is within ~3e-13 of log(m), std::log within one ulp; in
// buckets (1 / 0.002 of a logarithm) the two lie within 4e-10 of each other. Nearer
// than this to a bucket edge, std::log decides.
constexpr double kEdgeMargin = 1e-7;

}  // namespace

std::int32_t QuantileSketch::bucket(double magnitude) {
  const auto bits = bit_cast<std::uint64_t>(magnitude);
  const int biased = static_cast<int>(bits >> 52);
  if (biased == 0 || biased >= 0x7ff) return exact_bucket(magnitude);  // subnormal
  // m = 2^e f, f in [1, 2) = c (1 + r), c = 1 + j / 128, 0 <= r < 1 / 128.
  const int j = static_cast<int>((bits >> 45) & 127);
  const double f =
      bit_cast<double>((bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1023} << 52));
  const double r = (f - (1 + j / 128.0)) * kLogTable.inverse_c[j];
  // log(1 + r) to r^5: the next term is below 4e-14.
  const double log1p_r = r * (1 - r * (0.5 - r * (1.0 / 3 - r * (0.25 - r * 0.2))));
  const double log_m = (biased - 1023) * kLn2 + (kLogTable.log_c[j] + log1p_r);
  const double y = log_m * kInverseLogGamma;
  // ceil(y) without a library call: |y| < 2^19.
  const auto toward_zero = static_cast<double>(static_cast<std::int32_t>(y));
  const double up = toward_zero < y ? toward_zero + 1 : toward_zero;
  if (up - y > kEdgeMargin && up - y < 1 - kEdgeMargin) return static_cast<std::int32_t>(up);
  return exact_bucket(magnitude);
}

namespace {

// The point of bucket i, (gamma^(i-1), gamma^i], nearest in relative terms to both ends.
double bucket_value(std::int32_t i) {
  return 2 * std::exp(i * kLogGamma) / (kGamma + 1);
}

std::int32_t page_of(std::int32_t bucket, int page_size) {
  return bucket >= 0 ? bucket / page_size : -((-bucket + page_size - 1) / page_size);
}

std::uint32_t checked_add(std::uint32_t a, std::uint64_t b) {
  if (b > std::numeric_limits<std::uint32_t>::max() - a) {
    throw std::overflow_error("a percentile bucket holds more than 2^32 - 1 values");
  }
  return static_cast<std::uint32_t>(a + b);
}

}  // namespace

void QuantileSketch::add_zero_or_non_finite(double x) {
  if (x != 0) {
    ++(std::isnan(x) ? nan_ : x > 0 ? pos_inf_ : neg_inf_);
    return;
  }
  // -0 and +0 are one value: min and max must not depend on their order.
  ++zero_;
  ++count_;
  min_ = std::min(min_, 0.0);
  max_ = std::max(max_, 0.0);
}

void QuantileSketch::bucket_overflow() {
  throw std::overflow_error("a percentile bucket holds more than 2^32 - 1 values");
}

QuantileSketch::Page& QuantileSketch::page_in(Store& store, PageWindow& window,
                                              std::int32_t number) {
  Page& page = store[number];
  if (!window.pages) {
    window.pages = std::make_unique<std::array<Page*, PageWindow::kPages>>();
    window.pages->fill(nullptr);
    window.first = number - PageWindow::kPages / 2;
  }
  const auto slot = static_cast<std::uint32_t>(number - window.first);
  if (slot < PageWindow::kPages) (*window.pages)[slot] = &page;
  return page;
}

void QuantileSketch::merge(const QuantileSketch& other) {
  auto merge_store = [](Store& into, const Store& from) {
    for (const auto& [page, counts] : from) {
      auto& target = into[page];
      for (int i = 0; i < kPageSize; ++i) target[i] = checked_add(target[i], counts[i]);
    }
  };
  merge_store(positive_, other.positive_);
  merge_store(negative_, other.negative_);
  zero_ += other.zero_;
  count_ += other.count_;
  nan_ += other.nan_;
  pos_inf_ += other.pos_inf_;
  neg_inf_ += other.neg_inf_;
  min_ = std::min(min_, other.min_);
  max_ = std::max(max_, other.max_);
}

double QuantileSketch::value_at_rank(std::uint64_t rank) const {
  if (rank <= 1) return min_;
  if (rank >= count_) return max_;
  std::uint64_t seen = 0;
  // Most negative first: the largest magnitudes of the negative store.
  for (auto it = negative_.rbegin(); it != negative_.rend(); ++it) {
    for (int i = kPageSize - 1; i >= 0; --i) {
      seen += it->second[i];
      if (seen >= rank) return std::clamp(-bucket_value(it->first * kPageSize + i), min_, max_);
    }
  }
  seen += zero_;
  if (seen >= rank) return std::clamp(0.0, min_, max_);
  for (const auto& [page, counts] : positive_) {
    for (int i = 0; i < kPageSize; ++i) {
      seen += counts[i];
      if (seen >= rank) return std::clamp(bucket_value(page * kPageSize + i), min_, max_);
    }
  }
  return max_;
}

double QuantileSketch::ranked_value_at_rank(std::uint64_t rank) const {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  if (rank <= neg_inf_) return -kInf;
  if (rank > neg_inf_ + count_) return kInf;
  return value_at_rank(rank - neg_inf_);
}

double QuantileSketch::lowest() const {
  if (neg_inf_) return -std::numeric_limits<double>::infinity();
  return count_ ? min_ : std::numeric_limits<double>::infinity();
}

double QuantileSketch::highest() const {
  if (pos_inf_) return std::numeric_limits<double>::infinity();
  return count_ ? max_ : -std::numeric_limits<double>::infinity();
}

double QuantileSketch::percentile(double q) const {
  const std::uint64_t n = ranked_count();
  if (n == 0) return std::numeric_limits<double>::quiet_NaN();
  // q n / 100 rounds to just above an integer for decimal q such as 99.9: take that
  // integer, the rank the decimal q means.
  const double exact = q * static_cast<double>(n) / 100;
  const double rank = std::ceil(exact - 1e-12 * std::max(exact, 1.0));
  return ranked_value_at_rank(static_cast<std::uint64_t>(std::max(rank, 1.0)));
}

QuantileSketch::Interval QuantileSketch::confidence_interval(double q, double level) const {
  const std::uint64_t count = ranked_count();
  const double n = static_cast<double>(count);
  std::uint64_t lower = 1, upper = count;
  if (count == 0)
    return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(), 0,
            0};
  const double p = q / 100;
  if (p <= 0) {
    upper = 1;
  } else if (p >= 1) {
    lower = count;
  } else {
    const boost::math::binomial_distribution<double, MathPolicy> b(n, p);
    const double tail = (1 - level) / 2;
    auto cdf = [&](double j) { return j < 0 ? 0.0 : boost::math::cdf(b, j); };
    // x_(l) <= xi_p exactly when B >= l: l - 1 is the largest j with P(B <= j) <= tail.
    double j = boost::math::quantile(b, tail);
    while (j >= 0 && cdf(j) > tail) --j;
    while (j + 1 < n && cdf(j + 1) <= tail) ++j;
    lower = static_cast<std::uint64_t>(std::max(j + 1, 1.0));
    // x_(u) >= xi_p exactly when B <= u - 1: u - 1 is the smallest j with P(B <= j) >= 1 - tail.
    j = boost::math::quantile(b, 1 - tail);
    while (j < n && cdf(j) < 1 - tail) ++j;
    while (j > 0 && cdf(j - 1) >= 1 - tail) --j;
    upper = static_cast<std::uint64_t>(std::min(j + 1, n));
  }
  return {ranked_value_at_rank(lower), ranked_value_at_rank(upper), lower, upper};
}

std::size_t QuantileSketch::memory_bytes() const {
  constexpr std::size_t kNode = sizeof(Page) + 48;  // counts, key and the map's links
  constexpr std::size_t kWindow = sizeof(std::array<Page*, PageWindow::kPages>);
  return sizeof(*this) + (positive_.size() + negative_.size()) * kNode +
         (positive_window_.pages ? kWindow : 0) + (negative_window_.pages ? kWindow : 0);
}

namespace {

void write_store(std::string& out, const char* key,
                 const std::map<std::int32_t, std::array<std::uint32_t, 128>>& store) {
  out += key;
  bool first = true;
  std::int64_t previous = 0;
  for (const auto& [page, counts] : store) {
    for (int i = 0; i < 128; ++i) {
      if (!counts[i]) continue;
      const std::int64_t index = std::int64_t{page} * 128 + i;
      out += (first ? "" : ",") + std::to_string(first ? index : index - previous) + ":" +
             std::to_string(counts[i]);
      previous = index;
      first = false;
    }
  }
}

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text), rest_(text) {}

  void expect(std::string_view key) {
    if (rest_.substr(0, key.size()) != key) fail();
    rest_.remove_prefix(key.size());
  }
  template <class T>
  T number() {
    T value{};
    const char* end = nullptr;
    if constexpr (std::is_floating_point_v<T>) {
      const ReadRealResult res = read_real(rest_.data(), rest_.data() + rest_.size(), value);
      if (res.ec != std::errc()) fail();
      end = res.ptr;
    } else {
      const auto res = std::from_chars(rest_.data(), rest_.data() + rest_.size(), value);
      if (res.ec != std::errc()) fail();
      end = res.ptr;
    }
    rest_.remove_prefix(static_cast<std::size_t>(end - rest_.data()));
    return value;
  }
  bool next_is(char c) const { return !rest_.empty() && rest_.front() == c; }
  bool done() const { return rest_.empty(); }
  [[noreturn]] void fail() const {
    throw std::invalid_argument("not a percentile sketch: \"" + std::string(text_.substr(0, 80)) +
                                "\"");
  }

 private:
  std::string_view text_, rest_;
};

}  // namespace

std::string QuantileSketch::to_string() const {
  std::string out = "n=" + std::to_string(count_) + ";min=" + shortest_text(min_) +
                    ";max=" + shortest_text(max_) + ";zero=" + std::to_string(zero_) +
                    ";nan=" + std::to_string(nan_) + ";inf=" + std::to_string(pos_inf_) +
                    ";-inf=" + std::to_string(neg_inf_);
  write_store(out, ";pos=", positive_);
  write_store(out, ";neg=", negative_);
  return out;
}

QuantileSketch QuantileSketch::parse(std::string_view text) {
  Reader in(text);
  QuantileSketch s;
  in.expect("n=");
  const auto n = in.number<std::uint64_t>();
  in.expect(";min=");
  s.min_ = in.number<double>();
  in.expect(";max=");
  s.max_ = in.number<double>();
  in.expect(";zero=");
  s.zero_ = in.number<std::uint64_t>();
  in.expect(";nan=");
  s.nan_ = in.number<std::uint64_t>();
  in.expect(";inf=");
  s.pos_inf_ = in.number<std::uint64_t>();
  in.expect(";-inf=");
  s.neg_inf_ = in.number<std::uint64_t>();
  s.count_ = s.zero_;
  for (Store* store : {&s.positive_, &s.negative_}) {
    in.expect(store == &s.positive_ ? ";pos=" : ";neg=");
    std::int64_t index = 0;
    bool first = true;
    while (!in.done() && !in.next_is(';')) {
      if (!first) in.expect(",");
      const auto step = in.number<std::int64_t>();
      if (!first && (step <= 0 || step > std::numeric_limits<std::int32_t>::max() - index))
        in.fail();
      index = first ? step : index + step;
      in.expect(":");
      const auto c = in.number<std::uint32_t>();
      if (c == 0 || index < std::numeric_limits<std::int32_t>::min() ||
          index > std::numeric_limits<std::int32_t>::max()) {
        in.fail();
      }
      const auto bucket = static_cast<std::int32_t>(index);
      const std::int32_t page = page_of(bucket, kPageSize);
      (*store)[page][static_cast<std::size_t>(bucket - page * kPageSize)] = c;
      if (s.count_ > std::numeric_limits<std::uint64_t>::max() - c) in.fail();
      s.count_ += c;
      first = false;
    }
  }
  if (!in.done() || s.count_ != n || !s.consistent_extremes()) in.fail();
  return s;
}

bool QuantileSketch::consistent_extremes() const {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  if (count_ == 0) return min_ == kInf && max_ == -kInf;
  if (!(std::isfinite(min_) && std::isfinite(max_) && min_ <= max_)) return false;
  // The extremes are values: a zero among them was counted as one, and each sign's
  // buckets reach from the smallest magnitude to the largest it saw. Another platform's
  // logarithm may put a value on the edge one bucket over: one bucket of slack at the ends.
  if (zero_ > 0 && !(min_ <= 0 && max_ >= 0)) return false;
  if ((min_ == 0 || max_ == 0) && zero_ == 0) return false;
  const auto near = [](std::int32_t index, double magnitude) {
    const std::int64_t b = bucket(magnitude);
    return index >= b - 1 && index <= b + 1;
  };
  const auto spans = [&](const Store& store, double smallest, double largest) {
    if (store.empty()) return !(largest > 0);
    std::int32_t low = 0, high = 0;
    for (int i = 0; i < kPageSize; ++i)
      if (store.begin()->second[i]) {
        low = store.begin()->first * kPageSize + i;
        break;
      }
    for (int i = kPageSize - 1; i >= 0; --i)
      if (store.rbegin()->second[i]) {
        high = store.rbegin()->first * kPageSize + i;
        break;
      }
    const double tiny = std::numeric_limits<double>::denorm_min();
    return largest > 0 && near(high, largest) &&
           (smallest > 0 ? near(low, smallest) : low >= bucket(tiny) - 1);
  };
  return spans(positive_, min_ > 0 ? min_ : 0.0, max_) &&
         spans(negative_, max_ < 0 ? -max_ : 0.0, min_ < 0 ? -min_ : 0.0);
}

}  // namespace vorn::numerics
