#pragma once
// A stored property with a getter and a setter of the same name.
#include <utility>

#define QL_PROPERTY(Type, Name)                          \
public:                                                  \
    const Type& Name() const { return m_##Name; }        \
    void Name(Type value) { m_##Name = std::move(value); } \
                                                         \
private:                                                 \
    Type m_##Name{};
