#include "ComTestSupport.h"
#include "XMoorline_h.h"
#include "docking/com/DockFrameCtl.h"
#include "docking/com/FDPaneCtl.h"
#include "docking/com/ImageItem.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string U32(uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }
std::string U16(uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); }

std::string Save(IPersistStreamInit* p)
{
    IStream* s = StreamOf("");
    EXPECT_EQ(p->Save(s, TRUE), S_OK);
    std::string bytes = StreamBytes(s);
    s->Release();
    return bytes;
}

HRESULT Load(IPersistStreamInit* p, const std::string& bytes, ULONGLONG* consumed = nullptr)
{
    IStream* s = StreamOf(bytes);
    HRESULT hr = p->Load(s);
    if (consumed) {
        LARGE_INTEGER zero = {};
        ULARGE_INTEGER pos = {};
        s->Seek(zero, STREAM_SEEK_CUR, &pos);
        *consumed = pos.QuadPart;
    }
    s->Release();
    return hr;
}

// A 4-bit bitmap of 4 x 3 pixels with a full colour table, packed: 104 + 14 bytes.
std::string PackedDib4(int extra = 2)
{
    BITMAPINFOHEADER h = {};
    h.biSize = 40;
    h.biWidth = 4;
    h.biHeight = 3;
    h.biPlanes = 1;
    h.biBitCount = 4;
    std::string out(reinterpret_cast<const char*>(&h), 40);
    for (int i = 0; i < 16; ++i) out += U32(i == 1 ? 0x00FF0000 : 0x00C0C0C0);
    out += std::string(12 + extra, '\x11');
    return out;
}

std::string FDPaneMap(uint32_t cx = 2000, uint32_t cy = 1000)
{
    std::string m = U32(0x0300) + U32(cx) + U32(cy);
    m += U16(3) + U32(0);
    m += U16(11) + U16(0xFFFF);
    m += U16(3) + U32(2);
    for (int i = 0; i < 4; ++i) m += U16(11) + U16(1);
    return m;
}

std::string FDPaneTail(uint32_t version, uint32_t pin, int16_t hw, int16_t l, int16_t t, int16_t w, int16_t h)
{
    return std::string("KMn3TYP", 7) + U32(version) + U32(pin) + U16(hw) + U16(l) + U16(t) + U16(w) + U16(h);
}

}  // namespace

TEST(DockPersistence, DefaultStreamsHaveTheirExactLayout)
{
    auto* frame = MakeControl<IPersistStreamInit>(CLSID_DockFrame, IID_IPersistStreamInit);
    ASSERT_NE(frame, nullptr);
    frame->InitNew();
    EXPECT_EQ(Save(frame), U32(0x0300) + U32(688) + U32(688) + U16(3) + U32(0) + U32(1) + U32(0) + U32(0) + U32(0));
    ULARGE_INTEGER max;
    frame->GetSizeMax(&max);
    EXPECT_EQ(max.QuadPart, 34u);
    frame->Release();

    auto* pane = MakeControl<IPersistStreamInit>(CLSID_FDPane, IID_IPersistStreamInit);
    ASSERT_NE(pane, nullptr);
    pane->InitNew();
    const std::string bytes = Save(pane);
    ASSERT_EQ(bytes.size(), 69u);
    std::string expected = U32(0x0300) + U32(688) + U32(688) + U16(3) + U32(0) + U16(11) + U16(0xFFFF) + U16(3) +
                           U32(0);
    for (int i = 0; i < 4; ++i) expected += U16(11) + U16(1);
    expected += FDPaneTail(4, 1, 150, 200, 200, 200, 200);
    EXPECT_EQ(bytes, expected);
    pane->Release();
}

TEST(DockPersistence, PaneStreamTailIsValidatedFieldByField)
{
    IFDPane* pane = MakeControl<IFDPane>(CLSID_FDPane, IID_IFDPane);
    ASSERT_NE(pane, nullptr);
    IPersistStreamInit* p = nullptr;
    pane->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&p));
    auto state = [&] {
        PinType pin;
        short hw, l, t, w, h;
        pane->get_PinState(&pin);
        pane->get_InitDockHW(&hw);
        pane->get_InitFloatLeft(&l);
        pane->get_InitFloatTop(&t);
        pane->get_InitFloatWidth(&w);
        pane->get_InitFloatHeight(&h);
        return std::vector<int>{pin, hw, l, t, w, h};
    };
    // Only the property map: the defaults stay.
    EXPECT_EQ(Load(p, FDPaneMap()), S_OK);
    EXPECT_EQ(state(), (std::vector<int>{1, 150, 200, 200, 200, 200}));
    DockStyle style;
    pane->get_InitDockStyle(&style);
    EXPECT_EQ(style, DockToRight);
    // Pin state out of range becomes 1, a docked size of 20 is refused, 21 taken; a negative
    // floating value keeps the old one, 0 is taken.
    EXPECT_EQ(Load(p, FDPaneMap() + FDPaneTail(4, 7, 20, 5, 6, -1, 0)), S_OK);
    EXPECT_EQ(state(), (std::vector<int>{1, 150, 5, 6, 200, 0}));
    EXPECT_EQ(Load(p, FDPaneMap() + FDPaneTail(4, 2, 21, 1, 1, 1, 1)), S_OK);
    EXPECT_EQ(state(), (std::vector<int>{2, 21, 1, 1, 1, 1}));
    EXPECT_EQ(Load(p, FDPaneMap() + FDPaneTail(4, static_cast<uint32_t>(-3), 99, 1, 1, 1, 1)), S_OK);
    EXPECT_EQ(state()[0], 1);
    // Foreign signature or version: nothing of the tail is taken.
    const std::vector<int> before = state();
    EXPECT_EQ(Load(p, FDPaneMap() + FDPaneTail(5, 0, 99, 9, 9, 9, 9)), S_OK);
    EXPECT_EQ(state(), before);
    std::string foreign = FDPaneMap() + FDPaneTail(4, 0, 77, 9, 9, 9, 9);
    foreign[44] = 'X';
    EXPECT_EQ(Load(p, foreign), S_OK);
    EXPECT_NE(state()[1], 77);
    // A newer property map is refused.
    std::string newer = FDPaneMap();
    newer[1] = 0x04;
    EXPECT_NE(Load(p, newer), S_OK);
    // Truncated in the middle of the map.
    EXPECT_NE(Load(p, FDPaneMap().substr(0, 20)), S_OK);
    p->Release();
    pane->Release();
}

TEST(DockPersistence, PaneBagRules)
{
    IFDPane* pane = MakeControl<IFDPane>(CLSID_FDPane, IID_IFDPane);
    IPersistPropertyBag* p = nullptr;
    pane->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&p));
    MemoryBag bag;
    bag.SetI2(L"InitDockHW", 0);
    bag.SetI4(L"AutoHide", 0x70002);
    bag.SetI2(L"InitFloatLeft", -5);
    bag.SetI2(L"InitFloatTop", 7);
    EXPECT_EQ(p->Load(&bag, nullptr), S_OK);
    short hw, l, t;
    PinType pin;
    pane->get_InitDockHW(&hw);
    pane->get_InitFloatLeft(&l);
    pane->get_InitFloatTop(&t);
    pane->get_PinState(&pin);
    EXPECT_EQ(hw, 20);
    EXPECT_EQ(l, 200);
    EXPECT_EQ(t, 7);
    EXPECT_EQ(pin, UnPinned);
    bag.SetI4(L"AutoHide", 7);  // out of range: the default state
    p->Load(&bag, nullptr);
    pane->get_PinState(&pin);
    EXPECT_EQ(pin, Pinned);
    // Round trip through a fresh bag.
    pane->put_CanDockTop(0);
    pane->put_InitDockHW(333);
    MemoryBag out;
    ASSERT_EQ(p->Save(&out, TRUE, TRUE), S_OK);
    EXPECT_EQ(V_VT(&out.values[L"AutoHide"]), VT_I4);
    EXPECT_EQ(V_VT(&out.values[L"InitDockHW"]), VT_I2);
    EXPECT_EQ(V_I2(&out.values[L"InitDockHW"]), 333);
    EXPECT_EQ(V_BOOL(&out.values[L"CanDockTop"]), 0);
    EXPECT_EQ(V_BOOL(&out.values[L"CanDockLeft"]), 1);
    IFDPane* copy = MakeControl<IFDPane>(CLSID_FDPane, IID_IFDPane);
    IPersistPropertyBag* cp = nullptr;
    copy->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&cp));
    ASSERT_EQ(cp->Load(&out, nullptr), S_OK);
    VARIANT_BOOL top, left;
    copy->get_CanDockTop(&top);
    copy->get_CanDockLeft(&left);
    copy->get_InitDockHW(&hw);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(hw, 333);
    cp->Release();
    copy->Release();
    p->Release();
    pane->Release();
}

TEST(DockPersistence, PackedBitmapsAreSplitAndBadOnesRefused)
{
    CImageItem item;
    const std::string dib = PackedDib4();
    ASSERT_EQ(dib.size(), 118u);
    ASSERT_TRUE(item.SetPackedDib(reinterpret_cast<const uint8_t*>(dib.data()), dib.size()));
    EXPECT_EQ(item.m_headerSize, 104);
    EXPECT_EQ(item.m_bits.size(), 14u);
    EXPECT_EQ(item.m_totalSize, 118);
    std::string bad = dib;
    bad[14] = 24;  // a true-colour bitmap has no full colour table
    CImageItem other;
    EXPECT_FALSE(other.SetPackedDib(reinterpret_cast<const uint8_t*>(bad.data()), bad.size()));
    EXPECT_FALSE(other.SetPackedDib(reinterpret_cast<const uint8_t*>(dib.data()), 30));
    EXPECT_FALSE(other.SetPackedDib(reinterpret_cast<const uint8_t*>(dib.data()), 110));  // pixels cut short
    bad = dib;
    bad[4] = static_cast<char>(0xFF);  // wider than its pixel data
    EXPECT_FALSE(other.SetPackedDib(reinterpret_cast<const uint8_t*>(bad.data()), bad.size()));
    EXPECT_TRUE(other.m_header.empty());
}

TEST(DockPersistence, FramePicturesRoundTripAndBadDataIsSkipped)
{
    IDockFrame* frame = MakeControl<IDockFrame>(CLSID_DockFrame, IID_IDockFrame);
    auto* ctl = static_cast<CDockFrameCtl*>(frame);
    IPersistStreamInit* p = nullptr;
    frame->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&p));
    const std::string map = U32(0x0300) + U32(688) + U32(688) + U16(3) + U32(1);
    // No pictures and three menu words: the 28 bytes after the map are consumed.
    ULONGLONG consumed = 0;
    EXPECT_EQ(Load(p, map + U32(1) + U32(0) + U32(0) + U32(3) + U32(7) + U32(8) + U32(9) + "tail", &consumed), S_OK);
    EXPECT_EQ(consumed, 18u + 28u);
    EXPECT_TRUE(ctl->Pictures().empty());
    DragHandle style;
    frame->get_DragAreaStyle(&style);
    EXPECT_EQ(style, NoTextDisplay);

    const std::string dib = PackedDib4();
    ASSERT_EQ(Load(p, map + U32(1) + U32(0) + U32(2) + U32(118) + dib + U32(118) + dib + U32(0)), S_OK);
    ASSERT_EQ(ctl->Pictures().size(), 2u);
    const std::string saved = Save(p);
    EXPECT_EQ(saved, map + U32(1) + U32(0) + U32(2) + U32(118) + dib + U32(118) + dib + U32(0));

    // A huge size, a count beyond the data, or a refused bitmap: nothing bad is kept, no crash.
    EXPECT_EQ(Load(p, map + U32(1) + U32(0) + U32(1) + U32(0x7FFFFFFF) + dib), S_OK);
    EXPECT_TRUE(ctl->Pictures().empty());
    EXPECT_EQ(Load(p, map + U32(1) + U32(0) + U32(0xFFFFFFFF) + U32(118) + dib), S_OK);
    EXPECT_EQ(ctl->Pictures().size(), 1u);
    std::string bad = dib;
    bad[14] = 32;
    EXPECT_EQ(Load(p, map + U32(1) + U32(0) + U32(2) + U32(118) + bad + U32(118) + dib + U32(0)), S_OK);
    EXPECT_EQ(ctl->Pictures().size(), 1u);

    // Property bag: counts must agree with the arrays; the extent keeps its low 16 bits.
    IPersistPropertyBag* pb = nullptr;
    frame->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&pb));
    MemoryBag bag;
    bag.SetI4(L"_cx", 0x00030200);
    bag.SetI4(L"_cy", 500);
    bag.SetI4(L"PICTCNT", 3);
    bag.SetI4(L"ImageNo0Cnt", 118);
    bag.SetBytes(L"ImageNo0", dib);
    bag.SetI4(L"ImageNo1Cnt", 500);  // claims more than the array holds
    bag.SetBytes(L"ImageNo1", dib);
    bag.SetBytes(L"ImageNo2", dib);  // no count: skipped
    bag.SetI4(L"MENUCNT", 2);
    ASSERT_EQ(pb->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(ctl->Pictures().size(), 1u);
    IOleObject* ole = nullptr;
    frame->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole));
    SIZEL ext;
    ole->GetExtent(DVASPECT_CONTENT, &ext);
    EXPECT_EQ(ext.cx, 0x0200);
    EXPECT_EQ(ext.cy, 500);
    MemoryBag out;
    ASSERT_EQ(pb->Save(&out, TRUE, TRUE), S_OK);
    EXPECT_EQ(V_I4(&out.values[L"PICTCNT"]), 1);
    EXPECT_EQ(V_I4(&out.values[L"ImageNo0Cnt"]), 118);
    EXPECT_EQ(V_VT(&out.values[L"ImageNo0"]), VT_ARRAY | VT_UI1);
    EXPECT_EQ(V_I4(&out.values[L"MENUCNT"]), 0);
    ole->Release();
    pb->Release();
    p->Release();
    frame->Release();
}
