#pragma once
// The name a pane's place is stored under: the control's Tag when it is a string of two or
// more characters, else the form's Name; at most 59 characters. Empty when neither is a string.
#include <optional>
#include <string>

namespace LayoutName {

constexpr size_t kMaxLength = 59;

std::string Choose(const std::optional<std::string>& tag, const std::optional<std::string>& formName);

}  // namespace LayoutName
