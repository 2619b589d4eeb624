#pragma once
// Objects that may lose their last reason to live while one of their own handlers is still on
// the stack (a floating frame emptied by a drop that its caption press started). Handlers
// enter a scope; a deletion asked for meanwhile waits until the outermost scope is left.
#include <functional>

namespace DeferredDelete {

// Depth of handler scopes of one object.
class Scope {
public:
  explicit Scope(const void* object);
  ~Scope();
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;

private:
  const void* object_;
};

// Runs destroy now when no handler of object is running, else when the last one returns.
// A second request for the same object is ignored.
void Request(const void* object, std::function<void()> destroy);

// Whether a deletion of object is pending (its handlers must not touch it any more).
bool Pending(const void* object);
int Depth(const void* object);

}  // namespace DeferredDelete
