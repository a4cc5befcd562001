#include "effectc/json_fields.h"

#include <sstream>

namespace effectc {

bool SourceFault::Report(const std::string& where, const std::string& what) {
  if (message.empty()) message = where.empty() ? what : where + ": " + what;
  return false;
}

JsonFields::JsonFields(const nlohmann::json& object, std::string where, SourceFault& fault)
    : object_(object), where_(std::move(where)), fault_(fault) {
  if (!object_.is_object()) fault_.Report(where_, "expected an object in braces");
}

const nlohmann::json* JsonFields::Get(std::string_view key) {
  if (!object_.is_object()) return nullptr;
  const auto found = object_.find(key);
  if (found == object_.end()) return nullptr;
  read_.emplace(key);
  return &*found;
}

bool JsonFields::Number(std::string_view key, double& out, double min, double max, bool required) {
  const nlohmann::json* value = Get(key);
  if (value == nullptr) return !required || Fail(key, "is missing");
  if (!value->is_number()) return Fail(key, "expected a number");
  const double number = value->get<double>();
  if (number < min || number > max)
    return Fail(key, "must lie between " + FormatNumber(min) + " and " + FormatNumber(max));
  out = number;
  return true;
}

bool JsonFields::Integer(std::string_view key, int& out, int min, int max, bool required) {
  double number = 0;
  const bool present = Has(key);
  if (!Number(key, number, min, max, required)) return false;
  if (!present) return true;
  if (number != static_cast<double>(static_cast<int>(number)))
    return Fail(key, "expected a whole number");
  out = static_cast<int>(number);
  return true;
}

bool JsonFields::String(std::string_view key, std::string& out, bool required) {
  const nlohmann::json* value = Get(key);
  if (value == nullptr) return !required || Fail(key, "is missing");
  if (!value->is_string()) return Fail(key, "expected a string in double quotes");
  out = value->get<std::string>();
  return true;
}

bool JsonFields::Bool(std::string_view key, bool& out) {
  const nlohmann::json* value = Get(key);
  if (value == nullptr) return true;
  if (!value->is_boolean()) return Fail(key, "expected true or false");
  out = value->get<bool>();
  return true;
}

const nlohmann::json* JsonFields::Array(std::string_view key, bool required) {
  const nlohmann::json* value = Get(key);
  if (value == nullptr) {
    if (required) Fail(key, "is missing");
    return nullptr;
  }
  if (!value->is_array()) {
    Fail(key, "expected an array in brackets");
    return nullptr;
  }
  return value;
}

bool JsonFields::CheckAllRead() {
  if (!object_.is_object()) return false;
  for (const auto& [key, value] : object_.items()) {
    if (!read_.contains(key)) return Fail(key, "is not a known name here");
  }
  return !fault_.Failed();
}

std::string JsonFields::Where(std::string_view key) const {
  return where_.empty() ? std::string(key) : where_ + "." + std::string(key);
}

std::string ElementWhere(const std::string& where, size_t index) {
  return where + "[" + std::to_string(index) + "]";
}

std::string FormatNumber(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

}  // namespace effectc
