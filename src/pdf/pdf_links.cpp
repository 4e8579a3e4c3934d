#include "pdf/pdf_links.hpp"

#include <optional>
#include <vector>

namespace vorn::pdf {
namespace {

constexpr std::string_view kFileScheme = "file://";
constexpr std::string_view kLinkKey = "/URI (";

bool plain_in_url(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

std::vector<std::string_view> segments(std::string_view path) {
  std::vector<std::string_view> out;
  while (true) {
    const std::size_t slash = path.find('/');
    out.push_back(path.substr(0, slash));
    if (slash == std::string_view::npos) return out;
    path.remove_prefix(slash + 1);
  }
}

// A PDF literal string from its opening parenthesis: its end (one past the closing
// parenthesis) and its text; none when it holds an escape other than \( \) \\ or does not
// end.
struct LiteralString {
  std::size_t end = 0;
  std::string text;
};

std::optional<LiteralString> literal_string(std::string_view pdf, std::size_t open) {
  LiteralString s;
  int depth = 0;
  for (std::size_t k = open; k < pdf.size(); ++k) {
    const char c = pdf[k];
    if (c == '\\') {
      if (k + 1 >= pdf.size()) return std::nullopt;
      const char next = pdf[++k];
      if (next != '(' && next != ')' && next != '\\') return std::nullopt;
      s.text += next;
    } else if (c == '(') {
      if (depth++ > 0) s.text += c;
    } else if (c == ')') {
      if (--depth == 0) {
        s.end = k + 1;
        return s;
      }
      s.text += c;
    } else {
      s.text += c;
    }
  }
  return std::nullopt;
}

std::string as_literal(std::string_view text) {
  std::string out = "(";
  for (const char c : text) {
    if (c == '(' || c == ')' || c == '\\') out += '\\';
    out += c;
  }
  return out + ")";
}

}  // namespace

std::string file_url(const std::string& absolute_path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url(kFileScheme);
  if (absolute_path.empty() || absolute_path.front() != '/') url += '/';
  for (const char c : absolute_path) {
    if (plain_in_url(c)) {
      url += c;
    } else {
      const auto b = static_cast<unsigned char>(c);
      url += {'%', kHex[b >> 4], kHex[b & 15]};
    }
  }
  return url;
}

std::string relative_url(std::string_view target, std::string_view base) {
  std::vector<std::string_view> to = segments(target), from = segments(base);
  from.pop_back();  // after the directory's closing '/'
  std::size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
  std::string out;
  for (std::size_t k = common; k < from.size(); ++k) out += "../";
  for (std::size_t k = common; k < to.size(); ++k) {
    out += to[k];
    if (k + 1 < to.size()) out += '/';
  }
  return out;
}

std::string relative_links(std::string pdf, std::string_view base) {
  if (base.substr(0, kFileScheme.size()) != kFileScheme || base.empty() || base.back() != '/')
    return pdf;
  for (std::size_t at = pdf.find(kLinkKey); at != std::string::npos;
       at = pdf.find(kLinkKey, at + 1)) {
    const std::size_t open = at + kLinkKey.size() - 1;
    const auto link = literal_string(pdf, open);
    if (!link || link->text.substr(0, kFileScheme.size()) != kFileScheme) continue;
    const std::string relative = as_literal(relative_url(link->text, base));
    const std::size_t length = link->end - open;
    if (relative.size() > length) continue;
    pdf.replace(open, length, relative + std::string(length - relative.size(), ' '));
  }
  return pdf;
}

}  // namespace vorn::pdf
