#pragma once
// The fixed help paragraphs the information pane shows for its topics.
#include <string>

namespace modMain {

// The paragraph of a topic, compared without regard to letter case; "" for any other topic.
std::string GetHelpText(const std::string& topic);

}  // namespace modMain
