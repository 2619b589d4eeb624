// The owners give back what they hold on every way out of a scope, exceptions included.
#include <windows.h>

#include <stdexcept>

#include <gtest/gtest.h>

#include "platform/ScopedWin.h"

namespace {

using platform::ComPtr;
using platform::GdiObject;
using platform::OwnedDC;
using platform::Selection;

struct Counted : IUnknown {
    long refs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
};

bool Alive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(ComPtr, HoldsExactlyOneReference)
{
    Counted object;
    {
        ComPtr<Counted> a(&object);  // adopts the creator's reference
        EXPECT_EQ(object.refs, 1);
        ComPtr<Counted> b = a;
        EXPECT_EQ(object.refs, 2);
        ComPtr<Counted> c = std::move(b);
        EXPECT_EQ(object.refs, 2);
        EXPECT_FALSE(b);
        c = a;  // both already hold the same object: still one reference each
        EXPECT_EQ(object.refs, 2);
        auto shared = ComPtr<Counted>::Share(&object);
        EXPECT_EQ(object.refs, 3);
    }
    EXPECT_EQ(object.refs, 0);
}

TEST(ComPtr, PutDetachAndExceptions)
{
    Counted first, second;
    ComPtr<Counted> p(&first);
    *p.Put() = &second;  // the out-parameter slot drops the old reference first
    EXPECT_EQ(first.refs, 0);
    Counted* raw = p.Detach();
    EXPECT_EQ(raw, &second);
    EXPECT_EQ(second.refs, 1);
    EXPECT_THROW(
        {
            ComPtr<Counted> held(raw);
            throw std::runtime_error("fails while held");
        },
        std::runtime_error);
    EXPECT_EQ(second.refs, 0);
}

int g_freed = 0;
void CountingFree(HGDIOBJ object)
{
    ++g_freed;
    DeleteObject(object);
}

TEST(GdiObject, DeletesUnlessDetached)
{
    HBRUSH kept = nullptr;
    HBRUSH gone = nullptr;
    {
        GdiObject<HBRUSH> a(CreateSolidBrush(RGB(1, 2, 3)));
        GdiObject<HBRUSH> b(CreateSolidBrush(RGB(4, 5, 6)));
        gone = a.Get();
        kept = b.Detach();
        ASSERT_TRUE(Alive(gone));
    }
    EXPECT_FALSE(Alive(gone));
    ASSERT_TRUE(Alive(kept));
    DeleteObject(kept);

    g_freed = 0;
    using CountedPen = GdiObject<HPEN, CountingFree>;
    auto drawAndFail = [] {
        CountedPen pen(CreatePen(PS_SOLID, 1, 0));
        CountedPen moved = std::move(pen);
        CountedPen none;
        throw std::runtime_error("fails while drawing");
    };
    EXPECT_THROW(drawAndFail(), std::runtime_error);
    EXPECT_EQ(g_freed, 1);  // the moved-from and the empty owner free nothing
}

TEST(Selection, PutsBackWhatWasSelectedFirst)
{
    OwnedDC dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_PEN);
    GdiObject<HPEN> red(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    GdiObject<HPEN> blue(CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
    {
        Selection pen(dc.Get(), red.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), red.Get());
        pen.Select(blue.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), blue.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), original);
    EXPECT_THROW(
        {
            Selection pen(dc.Get(), red.Get());
            throw std::runtime_error("fails while selected");
        },
        std::runtime_error);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), original);
    // Nothing to select, nothing to put back.
    { Selection none(dc.Get(), nullptr); }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), original);
}

TEST(OwnedDC, DeletesTheDc)
{
    HDC raw = nullptr;
    {
        OwnedDC dc(CreateCompatibleDC(nullptr));
        raw = dc.Get();
        ASSERT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(raw), 0u);
}

}  // namespace
