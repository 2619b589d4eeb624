#include <gtest/gtest.h>

#include "docking/float/DeferredDelete.h"

namespace {

// Stands for a frame whose double-click handler re-docks its last pane.
struct Frame {
  int* deleted;
  bool inHandlerAfterRequest = false;
  void Handler(int nesting) {
    DeferredDelete::Scope scope(this);
    if (nesting > 0) {
      Handler(nesting - 1);
      // Back in the outer handler: the object is still there and knows it is going.
      inHandlerAfterRequest = DeferredDelete::Pending(this);
      EXPECT_EQ(*deleted, 0);
      return;
    }
    DeferredDelete::Request(this, [this] { ++*deleted; delete this; });
    DeferredDelete::Request(this, [this] { ++*deleted; delete this; });  // ignored
    EXPECT_EQ(*deleted, 0);
  }
};

TEST(DeferredDelete, WaitsForTheOutermostHandler) {
  int deleted = 0;
  Frame* f = new Frame{&deleted};
  const void* key = f;
  bool* seen = &f->inHandlerAfterRequest;
  bool sawPending = false;
  {
    DeferredDelete::Scope outer(f);
    f->Handler(2);
    sawPending = *seen;
    EXPECT_EQ(deleted, 0);
  }
  EXPECT_TRUE(sawPending);
  EXPECT_EQ(deleted, 1);
  EXPECT_FALSE(DeferredDelete::Pending(key));
  EXPECT_EQ(DeferredDelete::Depth(key), 0);
}

TEST(DeferredDelete, OutsideAnyHandlerDeletesAtOnce) {
  int deleted = 0;
  int dummy = 0;
  DeferredDelete::Request(&dummy, [&] { ++deleted; });
  EXPECT_EQ(deleted, 1);
  // A scope that ends without a request deletes nothing.
  { DeferredDelete::Scope s(&dummy); }
  EXPECT_EQ(deleted, 1);
}

}  // namespace
