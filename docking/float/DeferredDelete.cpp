#include "docking/float/DeferredDelete.h"

#include <map>

namespace DeferredDelete {

namespace {
struct State {
  int depth = 0;
  std::function<void()> destroy;
};
std::map<const void*, State>& States() {
  static std::map<const void*, State> states;
  return states;
}
}  // namespace

Scope::Scope(const void* object) : object_(object) { ++States()[object].depth; }

Scope::~Scope() {
  auto& states = States();
  auto it = states.find(object_);
  if (it == states.end()) return;
  if (--it->second.depth > 0) return;
  std::function<void()> destroy = std::move(it->second.destroy);
  states.erase(it);
  if (destroy) destroy();
}

void Request(const void* object, std::function<void()> destroy) {
  auto& states = States();
  auto it = states.find(object);
  if (it == states.end() || it->second.depth == 0) {
    if (it != states.end()) states.erase(it);
    if (destroy) destroy();
    return;
  }
  if (!it->second.destroy) it->second.destroy = std::move(destroy);
}

bool Pending(const void* object) {
  auto it = States().find(object);
  return it != States().end() && static_cast<bool>(it->second.destroy);
}

int Depth(const void* object) {
  auto it = States().find(object);
  return it == States().end() ? 0 : it->second.depth;
}

}  // namespace DeferredDelete
