#pragma once
// Reports a caught failure through modMain::LogError under the handler's source, with
// the failure's own number when it carries one.
#include <exception>
#include <functional>
#include <string>

void LogFailure(const std::string& source, const std::exception& e);

// Tests see every failure reported this way (source, description); nullptr ends it.
void SetFailureObserver(std::function<void(const std::string&, const std::string&)> observer);
