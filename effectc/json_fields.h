#pragma once

#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>

namespace effectc {

// Where reading a source stops: the first fault, with the place in the document it was met.
struct SourceFault {
  std::string message;

  bool Failed() const { return !message.empty(); }
  // Keeps the first fault only; returns false so callers can return it directly.
  bool Report(const std::string& where, const std::string& what);
};

// Reads the members of one JSON object by name, checking type and range, and finds members
// nobody asked for, which are most often misspelt names.
class JsonFields {
 public:
  JsonFields(const nlohmann::json& object, std::string where, SourceFault& fault);

  bool Has(std::string_view key) const { return object_.contains(key); }
  // The member, marked as read; null when absent.
  const nlohmann::json* Get(std::string_view key);

  // Each leaves out untouched when the member is absent and not required.
  bool Number(std::string_view key, double& out, double min, double max, bool required = false);
  bool Integer(std::string_view key, int& out, int min, int max, bool required = false);
  bool String(std::string_view key, std::string& out, bool required = false);
  bool Bool(std::string_view key, bool& out);
  // An array member; null, after a fault, when it is present but not an array, or missing
  // while required.
  const nlohmann::json* Array(std::string_view key, bool required = false);

  // Reports the first member that was never read.
  bool CheckAllRead();

  std::string Where(std::string_view key) const;
  const std::string& Where() const { return where_; }
  bool Fail(std::string_view key, const std::string& what) {
    return fault_.Report(Where(key), what);
  }
  SourceFault& Fault() { return fault_; }

 private:
  const nlohmann::json& object_;
  std::string where_;
  SourceFault& fault_;
  std::set<std::string, std::less<>> read_;
};

// The path of an array element: where[index].
std::string ElementWhere(const std::string& where, size_t index);

// A number as written in a message: no trailing zeros.
std::string FormatNumber(double value);

}  // namespace effectc
