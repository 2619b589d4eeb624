#include "docking/framework/PointerArray.h"

#include <cstring>

CPointerArray::CPointerArray() : m_pItems(new void*[10]()), m_nCount(0), m_nGrowBy(10), m_nCapacity(10) {}

CPointerArray::~CPointerArray() { delete[] m_pItems; }

void CPointerArray::Grow(int newCapacity)
{
    void** items = new void*[newCapacity]();
    std::memcpy(items, m_pItems, sizeof(void*) * m_nCount);
    delete[] m_pItems;
    m_pItems = items;
    m_nCapacity = newCapacity;
}

void CPointerArray::Add(void* p)
{
    m_pItems[m_nCount++] = p;
    // Keep one free slot behind the last entry.
    if (m_nCount == m_nCapacity)
        Grow(m_nCount + m_nGrowBy);
}

int CPointerArray::InsertAt(void* p, int index)
{
    if (index < 0 || index > m_nCount)
        return 0;
    if (index == m_nCount) {
        Add(p);
        return 1;
    }
    std::memmove(m_pItems + index + 1, m_pItems + index, sizeof(void*) * (m_nCount - index));
    m_pItems[index] = p;
    ++m_nCount;
    if (m_nCount == m_nCapacity)
        Grow(m_nCount + m_nGrowBy);
    return 1;
}

int CPointerArray::RemoveAt(int index)
{
    if (index < 0 || index >= m_nCount)
        return m_nCount;
    std::memmove(m_pItems + index, m_pItems + index + 1, sizeof(void*) * (m_nCount - index - 1));
    --m_nCount;
    m_pItems[m_nCount] = nullptr;
    return m_nCount;
}

void CPointerArray::RemoveAll()
{
    delete[] m_pItems;
    m_pItems = new void*[10]();
    m_nCount = 0;
    m_nGrowBy = 10;
    m_nCapacity = 10;
}

int CPointerArray::Find(const void* p) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_pItems[i] == p)
            return i;
    return -1;
}

PointerPair* PointerArrayFind(const CPointerArray& array, const void* key)
{
    for (int i = 0; i < array.GetCount(); ++i) {
        auto* pair = array.At<PointerPair>(i);
        if (pair && pair->key == key)
            return pair;
    }
    return nullptr;
}

PointerPair* PointerArrayFindByKey(CPointerArray& array, void* key, void* value, int& found)
{
    if (PointerPair* pair = PointerArrayFind(array, key)) {
        found = 1;
        return pair;
    }
    found = 0;
    auto* pair = new PointerPair{key, value};
    array.Add(pair);
    return pair;
}
