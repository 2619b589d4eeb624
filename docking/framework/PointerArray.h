#pragma once
// Growable array of untyped pointers behind every list of the docking library.
// It never owns what its entries point to: owners delete their elements first.

class CPointerArray {
public:
    CPointerArray();
    virtual ~CPointerArray();
    CPointerArray(const CPointerArray&) = delete;
    CPointerArray& operator=(const CPointerArray&) = delete;

    void Add(void* p);
    // 0 and no change for an index outside 0..count; index == count appends.
    int InsertAt(void* p, int index);
    // Returns the new count; an index outside 0..count-1 changes nothing.
    int RemoveAt(int index);
    void RemoveAll();

    int GetCount() const { return m_nCount; }
    int GetCapacity() const { return m_nCapacity; }
    void* GetAt(int index) const { return (index >= 0 && index < m_nCount) ? m_pItems[index] : nullptr; }
    void SetAt(int index, void* p) { if (index >= 0 && index < m_nCount) m_pItems[index] = p; }
    int Find(const void* p) const;

    template <class T> T* At(int index) const { return static_cast<T*>(GetAt(index)); }

private:
    void Grow(int newCapacity);
    void** m_pItems;
    int m_nCount;
    int m_nGrowBy;
    int m_nCapacity;
};

// {key, value} pair lists.
struct PointerPair {
    void* key;
    void* value;
};
// First pair with that key (found = 1); otherwise appends {key, value} and returns it (found = 0).
PointerPair* PointerArrayFindByKey(CPointerArray& array, void* key, void* value, int& found);
// Lookup without the implicit append.
PointerPair* PointerArrayFind(const CPointerArray& array, const void* key);
