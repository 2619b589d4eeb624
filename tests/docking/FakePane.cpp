#include "FakePane.h"

FakePane::FakePane(const std::string& title, int width, int height)
{
    m_title = title;
    m_nDockedWidth = width;
    m_nDockedHeight = height;
}

RECT FakePane::GetClientScreenRect() const
{
    RECT rc = m_rc;
    rc.top += 16;
    if (rc.top > rc.bottom)
        rc.top = rc.bottom;
    return rc;
}
