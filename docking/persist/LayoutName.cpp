#include "docking/persist/LayoutName.h"

namespace LayoutName {

std::string Choose(const std::optional<std::string>& tag, const std::optional<std::string>& formName)
{
  std::string name;
  if (tag && tag->size() >= 2)
    name = *tag;
  else if (formName)
    name = *formName;
  if (name.size() > kMaxLength)
    name.resize(kMaxLength);
  return name;
}

}  // namespace LayoutName
