// A strict reader of well-formed XML for checking generated pages: elements,
// attributes, text, comments, a doctype and the five predefined and numeric
// character references. Anything else, a mismatched tag or bad UTF-8 throws.
#pragma once

#include <cctype>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vorn::test {

struct XmlNode {
  std::string name;  // empty for a text node
  std::string text;  // of a text node, references resolved
  std::vector<std::pair<std::string, std::string>> attrs;
  std::vector<std::unique_ptr<XmlNode>> children;

  const std::string* attr(const std::string& key) const {
    for (const auto& a : attrs)
      if (a.first == key) return &a.second;
    return nullptr;
  }
  bool has_class(const std::string& cls) const {
    const std::string* c = attr("class");
    if (!c) return false;
    const std::string padded = " " + *c + " ";
    return padded.find(" " + cls + " ") != std::string::npos;
  }
  // All text below this node, in document order.
  std::string all_text() const {
    if (name.empty()) return text;
    std::string s;
    for (const auto& c : children) s += c->all_text();
    return s;
  }
  // Text below this node outside <title> elements (what is drawn, not what is hovered).
  std::string drawn_text() const {
    if (name.empty()) return text;
    if (name == "title") return "";
    std::string s;
    for (const auto& c : children) s += c->drawn_text();
    return s;
  }
  // Elements below this node (itself excluded) that satisfy `pred`, in document order.
  template <class Pred>
  std::vector<const XmlNode*> find_all(Pred pred) const {
    std::vector<const XmlNode*> out;
    collect(pred, out);
    return out;
  }
  std::vector<const XmlNode*> elements(const std::string& tag, const std::string& cls = "") const {
    return find_all(
        [&](const XmlNode& n) { return n.name == tag && (cls.empty() || n.has_class(cls)); });
  }
  const XmlNode* first(const std::string& tag, const std::string& cls = "") const {
    const auto all = elements(tag, cls);
    return all.empty() ? nullptr : all.front();
  }

 private:
  template <class Pred>
  void collect(Pred& pred, std::vector<const XmlNode*>& out) const {
    for (const auto& c : children) {
      if (c->name.empty()) continue;
      if (pred(*c)) out.push_back(c.get());
      c->collect(pred, out);
    }
  }
};

class XmlReader {
 public:
  explicit XmlReader(const std::string& doc) : s_(doc) {}

  std::unique_ptr<XmlNode> document() {
    check_utf8();
    skip_misc();
    if (s_.compare(p_, 9, "<!DOCTYPE") == 0) {
      const auto end = s_.find('>', p_);
      if (end == std::string::npos) fail("unterminated doctype");
      p_ = end + 1;
      skip_misc();
    }
    if (p_ >= s_.size() || s_[p_] != '<') fail("no root element");
    auto root = element();
    skip_misc();
    if (p_ != s_.size()) fail("content after the root element");
    return root;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw std::runtime_error("not well-formed at byte " + std::to_string(p_) + ": " + what);
  }

  void check_utf8() {
    for (std::size_t k = 0; k < s_.size();) {
      const auto b = static_cast<unsigned char>(s_[k]);
      std::size_t len = b < 0x80         ? 1
                        : (b >> 5) == 6  ? 2
                        : (b >> 4) == 14 ? 3
                        : (b >> 3) == 30 ? 4
                                         : 0;
      if (len == 0 || k + len > s_.size()) {
        p_ = k;
        fail("invalid UTF-8");
      }
      for (std::size_t j = 1; j < len; ++j)
        if ((static_cast<unsigned char>(s_[k + j]) >> 6) != 2) {
          p_ = k;
          fail("invalid UTF-8");
        }
      if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') {
        p_ = k;
        fail("control character");
      }
      k += len;
    }
  }

  void skip_space() {
    while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\n' || s_[p_] == '\t' || s_[p_] == '\r'))
      ++p_;
  }
  void skip_misc() {
    for (;;) {
      skip_space();
      if (s_.compare(p_, 4, "<!--") != 0) return;
      const auto end = s_.find("-->", p_ + 4);
      if (end == std::string::npos) fail("unterminated comment");
      p_ = end + 3;
    }
  }

  static bool name_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':' ||
           c == '.';
  }
  std::string name() {
    const std::size_t start = p_;
    while (p_ < s_.size() && name_char(s_[p_])) ++p_;
    if (p_ == start || std::isdigit(static_cast<unsigned char>(s_[start])) || s_[start] == '-')
      fail("bad name");
    return s_.substr(start, p_ - start);
  }

  static void append_utf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  // Text up to `stop`, references resolved; a raw '<' is an error.
  std::string chars(char stop) {
    std::string out;
    while (p_ < s_.size() && s_[p_] != stop) {
      const char c = s_[p_];
      if (c == '<') fail("raw '<' in text or attribute");
      if (c != '&') {
        out += c;
        ++p_;
        continue;
      }
      const auto semi = s_.find(';', p_);
      if (semi == std::string::npos || semi - p_ > 10) fail("bad reference");
      const std::string ref = s_.substr(p_ + 1, semi - p_ - 1);
      if (ref == "amp")
        out += '&';
      else if (ref == "lt")
        out += '<';
      else if (ref == "gt")
        out += '>';
      else if (ref == "quot")
        out += '"';
      else if (ref == "apos")
        out += '\'';
      else if (ref.size() > 1 && ref[0] == '#') {
        const bool hex = ref[1] == 'x';
        const std::string digits = ref.substr(hex ? 2 : 1);
        if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF"
                                                           : "0123456789") != std::string::npos)
          fail("bad character reference");
        const auto cp = static_cast<std::uint32_t>(std::stoul(digits, nullptr, hex ? 16 : 10));
        if (cp == 0 || cp > 0x10FFFF || (cp < 0x20 && cp != 9 && cp != 10 && cp != 13))
          fail("bad character");
        append_utf8(out, cp);
      } else {
        fail("undefined entity &" + ref + ";");
      }
      p_ = semi + 1;
    }
    return out;
  }

  std::unique_ptr<XmlNode> element() {
    ++p_;  // '<'
    auto node = std::make_unique<XmlNode>();
    node->name = name();
    for (;;) {
      const std::size_t before = p_;
      skip_space();
      if (p_ >= s_.size()) fail("unterminated start tag");
      if (s_.compare(p_, 2, "/>") == 0) {
        p_ += 2;
        return node;
      }
      if (s_[p_] == '>') {
        ++p_;
        break;
      }
      if (p_ == before) fail("no space before attribute");
      std::string key = name();
      if (node->attr(key)) fail("repeated attribute " + key);
      skip_space();
      if (p_ >= s_.size() || s_[p_] != '=') fail("attribute without value: " + key);
      ++p_;
      skip_space();
      if (p_ >= s_.size() || (s_[p_] != '"' && s_[p_] != '\'')) fail("unquoted attribute " + key);
      const char quote = s_[p_++];
      std::string value = chars(quote);
      if (p_ >= s_.size()) fail("unterminated attribute");
      ++p_;
      node->attrs.emplace_back(std::move(key), std::move(value));
    }
    for (;;) {
      if (p_ >= s_.size()) fail("unclosed element " + node->name);
      if (s_.compare(p_, 4, "<!--") == 0) {
        const auto end = s_.find("-->", p_ + 4);
        if (end == std::string::npos) fail("unterminated comment");
        p_ = end + 3;
      } else if (s_.compare(p_, 2, "</") == 0) {
        p_ += 2;
        if (name() != node->name) fail("end tag does not match " + node->name);
        skip_space();
        if (p_ >= s_.size() || s_[p_] != '>') fail("bad end tag");
        ++p_;
        return node;
      } else if (s_[p_] == '<') {
        node->children.push_back(element());
      } else {
        auto text = std::make_unique<XmlNode>();
        text->text = chars('<');
        node->children.push_back(std::move(text));
      }
    }
  }

  const std::string& s_;
  std::size_t p_ = 0;
};

inline std::unique_ptr<XmlNode> parse_xml(const std::string& doc) {
  return XmlReader(doc).document();
}

}  // namespace vorn::test
