#include "effectc/assembly_line.h"

#include <cctype>
#include <charconv>

namespace effectc {
namespace {

bool IsWordCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.' || c == '-' ||
         c == '+';
}

// Splits a line into its label or its instruction and operands.
class LineScanner {
 public:
  explicit LineScanner(std::string_view text) : text_(text) {}

  bool Scan(Line& line, std::string& error) {
    SkipSpace();
    std::string word;
    if (!ReadWord(word)) {
      if (AtEnd()) return true;
      error = "expected an instruction";
      return false;
    }
    if (Peek() == ':') {
      ++pos_;
      SkipSpace();
      if (!AtEnd()) {
        error = "a label stands on a line of its own";
        return false;
      }
      line.label = word;
      return true;
    }
    line.mnemonic = word;
    SkipSpace();
    while (!AtEnd()) {
      Token token;
      if (!ReadToken(token, error)) return false;
      line.operands.push_back(std::move(token));
      SkipSpace();
      if (AtEnd()) break;
      if (Peek() != ',') {
        error = "expected a comma between operands";
        return false;
      }
      ++pos_;
      SkipSpace();
      if (AtEnd()) {
        error = "an operand is missing after the last comma";
        return false;
      }
    }
    return true;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size() || text_[pos_] == ';'; }
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

  void SkipSpace() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])) != 0)
      ++pos_;
  }

  bool ReadWord(std::string& word) {
    const size_t start = pos_;
    while (pos_ < text_.size() && IsWordCharacter(text_[pos_])) ++pos_;
    word = std::string(text_.substr(start, pos_ - start));
    return !word.empty();
  }

  bool ReadToken(Token& token, std::string& error) {
    if (Peek() == '"') return ReadString(token, error);
    if (!ReadWord(token.text)) {
      error = "unexpected character '" + std::string(1, Peek()) + "'";
      return false;
    }
    const char* first = token.text.data();
    const char* last = first + token.text.size();
    const auto [end, fault] = std::from_chars(first, last, token.number);
    token.kind = fault == std::errc() && end == last ? Token::Kind::kNumber : Token::Kind::kWord;
    return true;
  }

  bool ReadString(Token& token, std::string& error) {
    token.kind = Token::Kind::kString;
    for (++pos_; pos_ < text_.size(); ++pos_) {
      char c = text_[pos_];
      if (c == '"') {
        ++pos_;
        return true;
      }
      if (c == '\\' && pos_ + 1 < text_.size()) c = text_[++pos_];
      token.text += c;
    }
    error = "a string is not closed";
    return false;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

bool ScanLine(std::string_view text, Line& line, std::string& error) {
  return LineScanner(text).Scan(line, error);
}

}  // namespace effectc
